// The initial list data reader, on good data and on malformed data placed at the very end of a
// readable page, so that reading one byte too far faults.
#include "framework/dlginit.h"
#include "win_test_util.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstring>

namespace {

using namespace std::string_literals;

const std::string HUMAN_SJIS = "\x90\x6c\x8a\xd4\0"s; // 人間 and its zero

// The bytes as the last ones before a page that may not be read.
class CGuardedBytes {
public:
    explicit CGuardedBytes(const std::string& bytes) {
        SYSTEM_INFO system;
        ::GetSystemInfo(&system);
        const size_t page = system.dwPageSize;
        m_base = static_cast<BYTE*>(
            ::VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD previous = 0;
        ::VirtualProtect(m_base + page, page, PAGE_NOACCESS, &previous);
        m_data = m_base + page - bytes.size();
        std::memcpy(m_data, bytes.data(), bytes.size());
        m_size = static_cast<DWORD>(bytes.size());
    }
    ~CGuardedBytes() { ::VirtualFree(m_base, 0, MEM_RELEASE); }
    CGuardedBytes(const CGuardedBytes&) = delete;
    CGuardedBytes& operator=(const CGuardedBytes&) = delete;

    const BYTE* Data() const { return m_data; }
    DWORD Size() const { return m_size; }

private:
    BYTE* m_base;
    BYTE* m_data;
    DWORD m_size;
};

TEST(ListData, ReadsEveryRecordUpToTheTerminator) {
    const CGuardedBytes data(ListDataRecord(1010, CB_ADDSTRING, 5, HUMAN_SJIS) +
                             ListDataRecord(1011, LB_ADDSTRING, 10, "COM(Lv 1)\0"s) +
                             ListDataRecord(1010, CB_ADDSTRING, 1, "\0"s) + ListDataEnd());
    std::vector<CListInitEntry> entries;
    ASSERT_TRUE(ParseInitialListData(data.Data(), data.Size(), &entries));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].controlId, 1010);
    EXPECT_EQ(entries[0].message, static_cast<UINT>(CB_ADDSTRING));
    EXPECT_EQ(entries[0].text, L"\u4eba\u9593"); // decoded from Shift-JIS
    EXPECT_EQ(entries[1].controlId, 1011);
    EXPECT_EQ(entries[1].message, static_cast<UINT>(LB_ADDSTRING));
    EXPECT_EQ(entries[1].text, L"COM(Lv 1)");
    EXPECT_EQ(entries[2].text, L"");
}

struct MalformedCase {
    const char* name;
    std::string bytes;
    size_t goodRecords; // read before the fault
};

void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.name; }

class MalformedListData : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedListData, StopsAtTheBadRecordWithoutReadingPastTheData) {
    const CGuardedBytes data(GetParam().bytes);
    std::vector<CListInitEntry> entries;
    EXPECT_FALSE(ParseInitialListData(data.Data(), data.Size(), &entries));
    EXPECT_EQ(entries.size(), GetParam().goodRecords);
}

const std::string GOOD = ListDataRecord(1010, CB_ADDSTRING, 5, HUMAN_SJIS);

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedListData,
    testing::Values(
        MalformedCase{"Empty", "", 0}, MalformedCase{"NoTerminator", GOOD, 1},
        MalformedCase{"HalfATerminator", GOOD + "\0"s, 1},
        MalformedCase{"CutAfterTheId", GOOD + "\xf2\x03"s, 1},
        MalformedCase{"CutInsideTheLength", GOOD + "\xf2\x03\x43\x01\x05\x00"s, 1},
        MalformedCase{"LengthPastTheEnd",
                      GOOD + ListDataRecord(1010, CB_ADDSTRING, 200, "abc\0"s) + ListDataEnd(), 1},
        MalformedCase{"LengthThatWrapsAround",
                      GOOD + ListDataRecord(1010, CB_ADDSTRING, 0xFFFFFFFF, "abc\0"s), 1},
        MalformedCase{"ZeroLength", ListDataRecord(1010, CB_ADDSTRING, 0, "") + ListDataEnd(), 0},
        MalformedCase{"TextWithoutItsZero",
                      ListDataRecord(1010, CB_ADDSTRING, 3, "abc") + ListDataEnd(), 0},
        MalformedCase{"TextWithoutItsZeroAtTheEnd", ListDataRecord(1010, CB_ADDSTRING, 3, "abc"),
                      0},
        MalformedCase{"AnotherMessage",
                      GOOD + ListDataRecord(1010, WM_SETTEXT, 4, "abc\0"s) + ListDataEnd(), 1}),
    [](const testing::TestParamInfo<MalformedCase>& info) { return info.param.name; });

TEST(ListData, NoDataIsNotValid) {
    std::vector<CListInitEntry> entries;
    EXPECT_FALSE(ParseInitialListData(nullptr, 10, &entries));
    EXPECT_TRUE(entries.empty());
}

} // namespace
