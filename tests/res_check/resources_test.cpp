// Reads the resources as windres compiles them for each Windows build and checks what the
// program and the platform take from them: templates, list data, menu, keys, texts, version,
// manifest and icon.
#include "res/resource.h"
#include "res_file.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

constexpr std::uint16_t RT_ICON = 3;
constexpr std::uint16_t RT_MENU = 4;
constexpr std::uint16_t RT_DIALOG = 5;
constexpr std::uint16_t RT_STRING = 6;
constexpr std::uint16_t RT_ACCELERATOR = 9;
constexpr std::uint16_t RT_GROUP_ICON = 14;
constexpr std::uint16_t RT_VERSION = 16;
constexpr std::uint16_t RT_MANIFEST = 24;
constexpr std::uint16_t RT_DLGINIT = 240;
constexpr std::uint16_t LANG_JAPANESE_DEFAULT = 0x0411;
constexpr std::uint16_t MANIFEST_ID = 1;
constexpr int STRINGS_PER_BLOCK = 16; // a string table is stored in blocks of 16 ids
constexpr std::uint16_t VERSION_ID = 1;

constexpr std::uint32_t WS_POPUP = 0x80000000, WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000,
                        WS_CAPTION = 0x00C00000, WS_VSCROLL = 0x00200000, WS_SYSMENU = 0x00080000,
                        WS_THICKFRAME = 0x00040000, WS_GROUP = 0x00020000,
                        WS_MINIMIZEBOX = 0x00020000, WS_TABSTOP = 0x00010000,
                        WS_EX_APPWINDOW = 0x00040000;
constexpr std::uint32_t DS_MODALFRAME = 0x80, DS_SETFONT = 0x40;
constexpr std::uint32_t SS_LEFT = 0, SS_ICON = 3, SS_NOPREFIX = 0x80;
constexpr std::uint32_t BS_PUSHBUTTON = 0, BS_DEFPUSHBUTTON = 1, BS_AUTOCHECKBOX = 3,
                        BS_GROUPBOX = 7;
constexpr std::uint32_t CBS_DROPDOWNLIST = 3;
constexpr std::uint16_t IDOK = 1, IDCANCEL = 2, NO_ID = 0xFFFF;
constexpr std::uint16_t CB_ADDSTRING = 0x0143;
constexpr std::uint16_t FVIRTKEY = 0x01, FNOINVERT = 0x02, LAST_ACCELERATOR = 0x80;
constexpr std::uint16_t VK_F2 = 0x71, VK_F3 = 0x72;
constexpr std::uint16_t MF_POPUP = 0x10, MF_END = 0x80;

const ResId BUTTON = ResId::Ordinal(0x80);
const ResId STATIC = ResId::Ordinal(0x82);
const ResId COMBOBOX = ResId::Ordinal(0x85);
const std::u16string DIALOG_FONT = u"ＭＳ Ｐゴシック";
const std::u16string PRODUCT_NAME = u"ミルダ";

std::u16string Digits(int n) {
    std::u16string out;
    for (char c : std::to_string(n))
        out += static_cast<char16_t>(c);
    return out;
}

// The project's version as the version dialog ("1.2.2") and the version strings ("1, 2, 2, 0")
// write it.
std::u16string VersionDotted() {
    return Digits(MILDA_VERSION_MAJOR) + u"." + Digits(MILDA_VERSION_MINOR) + u"." +
           Digits(MILDA_VERSION_PATCH);
}

std::u16string VersionCommas() {
    return Digits(MILDA_VERSION_MAJOR) + u", " + Digits(MILDA_VERSION_MINOR) + u", " +
           Digits(MILDA_VERSION_PATCH) + u", 0";
}

struct Build {
    const char* name;
    const char* resFile;
    const char* processor; // as the manifest must name it
};

const Build BUILDS[] = {
#ifdef MILDA_RES_X86_64
    {"x86_64", MILDA_RES_X86_64, "amd64"},
#endif
#ifdef MILDA_RES_I686
    {"i686", MILDA_RES_I686, "x86"},
#endif
};

DialogControl Control(ResId windowClass, ResId text, std::uint16_t id, std::uint32_t style,
                      std::int16_t x, std::int16_t y, std::int16_t cx, std::int16_t cy) {
    DialogControl c;
    c.windowClass = std::move(windowClass);
    c.text = std::move(text);
    c.id = id;
    c.style = WS_CHILD | WS_VISIBLE | style;
    c.x = x;
    c.y = y;
    c.cx = cx;
    c.cy = cy;
    return c;
}

ResId Text(const char16_t* s) { return ResId::Name(s); }

void PrintTo(const Build& build, std::ostream* os) { *os << build.name; }

class CompiledResources : public testing::TestWithParam<Build> {
protected:
    void SetUp() override { m_resources = ReadResFile(GetParam().resFile); }

    const Bytes& Data(std::uint16_t type, std::uint16_t name) const {
        for (const Resource& r : m_resources)
            if (r.type == ResId::Ordinal(type) && r.name == ResId::Ordinal(name))
                return r.data;
        throw std::runtime_error("no resource " + std::to_string(name) + " of type " +
                                 std::to_string(type));
    }
    std::u16string VersionString(const std::u16string& key) const {
        const VersionNode root = ParseVersion(Data(RT_VERSION, VERSION_ID));
        const VersionNode* info = root.Child(u"StringFileInfo");
        const VersionNode* table = info ? info->Child(u"041104b0") : nullptr;
        const VersionNode* value = table ? table->Child(key) : nullptr;
        return value ? value->text : u"(missing)";
    }

    std::vector<Resource> m_resources;
};

TEST_P(CompiledResources, AreExactlyTheProgramsOwnAllInJapanese) {
    std::set<std::pair<ResId, ResId>> found;
    for (const Resource& r : m_resources) {
        EXPECT_EQ(r.language, LANG_JAPANESE_DEFAULT) << r.type << ' ' << r.name;
        // Icon images are numbered by the compiler; the icon group names them.
        if (!(r.type == ResId::Ordinal(RT_ICON))) {
            EXPECT_TRUE(found.emplace(r.type, r.name).second) << r.type << ' ' << r.name;
        }
    }
    const std::set<std::pair<ResId, ResId>> expected = {
        {ResId::Ordinal(RT_DIALOG), ResId::Ordinal(IDD_VERSION)},
        {ResId::Ordinal(RT_DIALOG), ResId::Ordinal(IDD_GAME)},
        {ResId::Ordinal(RT_DIALOG), ResId::Ordinal(IDD_OPTIONS)},
        {ResId::Ordinal(RT_DLGINIT), ResId::Ordinal(IDD_OPTIONS)},
        {ResId::Ordinal(RT_MENU), ResId::Ordinal(IDR_GAME_MENU)},
        {ResId::Ordinal(RT_ACCELERATOR), ResId::Ordinal(IDR_GAME_ACCEL)},
        {ResId::Ordinal(RT_STRING), ResId::Ordinal(IDS_VERSION_MENU / STRINGS_PER_BLOCK + 1)},
        {ResId::Ordinal(RT_GROUP_ICON), ResId::Ordinal(IDI_APP)},
        {ResId::Ordinal(RT_VERSION), ResId::Ordinal(VERSION_ID)},
        {ResId::Ordinal(RT_MANIFEST), ResId::Ordinal(MANIFEST_ID)},
    };
    EXPECT_EQ(found, expected);
}

TEST_P(CompiledResources, OptionListDataIsByteExact) {
    // Records as the dialog start-up reads them: control, message, length with the zero, then the
    // text in Shift-JIS, packed without padding.
    const std::vector<Bytes> entries = {
        {0x90, 0x6C, 0x8A, 0xD4}, // 人間
        {'C', 'O', 'M', '(', 'L', 'v', ' ', '1', ')'},
        {'C', 'O', 'M', '(', 'L', 'v', ' ', '2', ')'},
        {'C', 'O', 'M', '(', 'L', 'v', ' ', '3', ')'},
        {'C', 'O', 'M', '(', 'L', 'v', ' ', '4', ')'},
        {'C', 'O', 'M', '(', 'L', 'v', ' ', '5', ')'},
    };
    Bytes expected;
    const auto put16 = [&](unsigned v) {
        expected.push_back(v & 0xFF);
        expected.push_back(v >> 8 & 0xFF);
    };
    for (std::uint16_t control : {IDC_FIRST_PLAYER, IDC_LAST_PLAYER}) {
        for (const Bytes& text : entries) {
            put16(control);
            put16(CB_ADDSTRING);
            put16(static_cast<unsigned>(text.size() + 1));
            put16(0);
            expected.insert(expected.end(), text.begin(), text.end());
            expected.push_back(0);
        }
    }
    put16(0);

    EXPECT_EQ(Data(RT_DLGINIT, IDD_OPTIONS), expected);
}

TEST_P(CompiledResources, DialogTemplates) {
    const std::u16string copyright = VersionString(u"LegalCopyright");
    {
        SCOPED_TRACE("version dialog");
        const Dialog d = ParseDialog(Data(RT_DIALOG, IDD_VERSION));
        EXPECT_EQ(d.style, DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU);
        EXPECT_EQ(d.exStyle, 0u);
        EXPECT_EQ(std::vector<int>({d.x, d.y, d.cx, d.cy}), std::vector<int>({0, 0, 187, 47}));
        EXPECT_EQ(d.caption, u"ﾊﾞｰｼﾞｮﾝ情報");
        EXPECT_EQ(d.menu, Text(u""));
        EXPECT_EQ(d.pointSize, 9);
        EXPECT_EQ(d.face, DIALOG_FONT);
        const std::vector<DialogControl> controls = {
            Control(STATIC, ResId::Ordinal(IDI_APP), NO_ID, SS_ICON, 9, 11, 20, 20),
            Control(STATIC, Text((u"Milda Version " + VersionDotted()).c_str()), NO_ID,
                    SS_LEFT | SS_NOPREFIX | WS_GROUP, 40, 10, 89, 8),
            Control(STATIC, Text(copyright.c_str()), NO_ID, SS_LEFT | WS_GROUP, 40, 23, 128, 8),
            Control(BUTTON, Text(u"OK"), IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 130, 7, 50, 14),
        };
        EXPECT_EQ(d.controls, controls);
    }
    {
        SCOPED_TRACE("game window");
        const Dialog d = ParseDialog(Data(RT_DIALOG, IDD_GAME));
        EXPECT_EQ(d.style, 0x90CE0040u);
        EXPECT_EQ(d.style, WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                               WS_MINIMIZEBOX | DS_SETFONT);
        EXPECT_EQ(d.exStyle, WS_EX_APPWINDOW);
        EXPECT_EQ(std::vector<int>({d.x, d.y, d.cx, d.cy}), std::vector<int>({0, 0, 194, 205}));
        EXPECT_EQ(d.caption, PRODUCT_NAME);
        EXPECT_EQ(d.menu, ResId::Ordinal(IDR_GAME_MENU));
        EXPECT_EQ(d.windowClass, Text(u""));
        EXPECT_EQ(d.pointSize, 9);
        EXPECT_EQ(d.face, DIALOG_FONT);
        EXPECT_TRUE(d.controls.empty());
    }
    {
        SCOPED_TRACE("options dialog");
        const Dialog d = ParseDialog(Data(RT_DIALOG, IDD_OPTIONS));
        EXPECT_EQ(d.style, DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU);
        EXPECT_EQ(d.exStyle, 0u);
        EXPECT_EQ(std::vector<int>({d.x, d.y, d.cx, d.cy}), std::vector<int>({0, 0, 187, 99}));
        EXPECT_EQ(d.caption, u"オプション");
        EXPECT_EQ(d.pointSize, 9);
        EXPECT_EQ(d.face, DIALOG_FONT);
        const std::uint32_t list = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
        const std::vector<DialogControl> controls = {
            Control(BUTTON, Text(u"プレイヤー"), NO_ID, BS_GROUPBOX, 7, 8, 173, 46),
            Control(STATIC, Text(u"白(先手）(&W)"), NO_ID, SS_LEFT | WS_GROUP, 17, 21, 40, 8),
            Control(COMBOBOX, Text(u""), IDC_FIRST_PLAYER, list, 15, 33, 69, 100),
            Control(STATIC, Text(u"黒（後手）(&B)"), NO_ID, SS_LEFT | WS_GROUP, 95, 20, 40, 8),
            Control(COMBOBOX, Text(u""), IDC_LAST_PLAYER, list, 95, 33, 69, 100),
            Control(BUTTON, Text(u"ガイド表示を行う(&G)"), IDC_GUIDE, BS_AUTOCHECKBOX | WS_TABSTOP,
                    15, 60, 165, 8),
            Control(BUTTON, Text(u"OK"), IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 75, 78, 50, 14),
            Control(BUTTON, Text(u"ｷｬﾝｾﾙ"), IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 130, 78, 50, 14),
        };
        EXPECT_EQ(d.controls, controls);
    }
}

TEST_P(CompiledResources, MenuAndAccelerators) {
    const std::vector<MenuItem> menu = {
        {MF_POPUP | MF_END, 0, u"ゲーム(&G)"},
        {0, ID_GAME_START, u"スタート(&N)\tF2"},
        {0, 0, u""},
        {0, ID_GAME_OPTIONS, u"オプション(&O)...\tF3"},
        {0, 0, u""},
        {MF_END, IDOK, u"ミルダの終了(&X)"},
    };
    EXPECT_EQ(ParseMenu(Data(RT_MENU, IDR_GAME_MENU)), menu);

    // Entries of four words: flags, key, command, padding; the last entry is marked.
    const std::uint16_t plainKey = FVIRTKEY | FNOINVERT;
    const std::vector<std::uint16_t> accelerators = {
        plainKey, VK_F2, ID_GAME_START, 0, plainKey | LAST_ACCELERATOR, VK_F3, ID_GAME_OPTIONS, 0,
    };
    const Bytes& table = Data(RT_ACCELERATOR, IDR_GAME_ACCEL);
    Reader r(table);
    std::vector<std::uint16_t> words;
    while (!r.AtEnd())
        words.push_back(r.U16());
    EXPECT_EQ(words, accelerators);
}

TEST_P(CompiledResources, StringTable) {
    const std::uint16_t block = IDS_VERSION_MENU / STRINGS_PER_BLOCK;
    const std::vector<std::u16string> strings =
        ParseStringBlock(Data(RT_STRING, static_cast<std::uint16_t>(block + 1)));
    const std::map<int, std::u16string> expected = {
        {IDS_VERSION_MENU, u"ミルダ のﾊﾞｰｼﾞｮﾝ情報(&A)..."},
        {IDS_GAME_OVER, u"ゲームの終了"},
        {IDS_RESULT, u"先手 %d 個、後手 %d 個で%s\nもう一度ゲームを行いますか？"},
        {IDS_DRAW, u"引き分けです。"},
        {IDS_FIRST_WINS, u"先手の勝ちです。"},
        {IDS_LAST_WINS, u"後手の勝ちです。"},
    };
    for (int i = 0; i < STRINGS_PER_BLOCK; ++i) {
        const int id = block * STRINGS_PER_BLOCK + i;
        const auto it = expected.find(id);
        EXPECT_EQ(strings[i], it == expected.end() ? u"" : it->second) << "string " << id;
    }
}

TEST_P(CompiledResources, VersionInformation) {
    const VersionNode root = ParseVersion(Data(RT_VERSION, VERSION_ID));
    EXPECT_EQ(root.key, u"VS_VERSION_INFO");
    const Bytes& fixedBytes = root.value;
    Reader fixed(fixedBytes);
    ASSERT_EQ(fixedBytes.size(), 52u);
    EXPECT_EQ(fixed.U32(), 0xFEEF04BDu); // signature
    fixed.U32();
    constexpr std::uint32_t HIGH = MILDA_VERSION_MAJOR << 16 | MILDA_VERSION_MINOR;
    constexpr std::uint32_t LOW = MILDA_VERSION_PATCH << 16;
    EXPECT_EQ(fixed.U32(), HIGH); // file version
    EXPECT_EQ(fixed.U32(), LOW);
    EXPECT_EQ(fixed.U32(), HIGH); // product version
    EXPECT_EQ(fixed.U32(), LOW);

    const std::map<std::u16string, std::u16string> expected = {
        {u"FileDescription", PRODUCT_NAME}, {u"ProductName", PRODUCT_NAME},
        {u"FileVersion", VersionCommas()},  {u"ProductVersion", VersionCommas()},
        {u"InternalName", u"Milda"},        {u"OriginalFilename", u"milda.exe"},
    };
    for (const auto& [key, text] : expected)
        EXPECT_EQ(VersionString(key), text) << ResId::Name(key);
    EXPECT_EQ(VersionString(u"LegalCopyright").rfind(u"Copyright", 0), 0u);

    const VersionNode* vars = root.Child(u"VarFileInfo");
    ASSERT_NE(vars, nullptr);
    const VersionNode* translation = vars->Child(u"Translation");
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(translation->value, Bytes({0x11, 0x04, 0xB0, 0x04})); // Japanese, Unicode (1200)
}

TEST_P(CompiledResources, ManifestNamesThisBuildsProcessor) {
    const Bytes& data = Data(RT_MANIFEST, MANIFEST_ID);
    const std::string xml(data.begin(), data.end());
    const auto identities = XmlElements(xml, "assemblyIdentity");
    ASSERT_EQ(identities.size(), 2u);
    const std::map<std::string, std::string> program = {
        {"name", "MildaGame"},
        {"version", "1.0.0.0"},
        {"processorArchitecture", GetParam().processor},
        {"type", "win32"},
    };
    const std::map<std::string, std::string> commonControls = {
        {"type", "win32"},
        {"name", "Microsoft.Windows.Common-Controls"},
        {"version", "6.0.0.0"},
        {"processorArchitecture", GetParam().processor},
        {"publicKeyToken", "6595b64144ccf1df"},
        {"language", "*"},
    };
    EXPECT_EQ(identities[0], program);
    EXPECT_EQ(identities[1], commonControls);
    EXPECT_NE(xml.find("<description>MildaGame Application</description>"), std::string::npos);
    EXPECT_NE(xml.find("<dependentAssembly>"), std::string::npos);
}

TEST_P(CompiledResources, IconIsTheTreesIconFileWithAnImageForEverySizeShown) {
    // The icon file's directory entries give size, colours and where each image lies; the
    // group resource repeats the first fields and names the image resources instead.
    struct Image {
        int size;
        int bitsPerPixel;
    };
    // The two 16-colour images as they always were, then true colour with alpha; 256 is written
    // as 0 in the one-byte size fields.
    const Image images[] = {{32, 4}, {16, 4}, {256, 32}, {48, 32}, {32, 32}, {24, 32}, {16, 32}};
    constexpr int IMAGE_COUNT = sizeof(images) / sizeof(images[0]);
    const Bytes file = ReadWholeFile(MILDA_ICON_FILE);
    Reader dir(file);
    EXPECT_EQ(dir.U16(), 0);
    EXPECT_EQ(dir.U16(), 1);
    ASSERT_EQ(dir.U16(), IMAGE_COUNT);

    const Bytes& groupData = Data(RT_GROUP_ICON, IDI_APP);
    Reader group(groupData);
    EXPECT_EQ(group.U16(), 0);
    EXPECT_EQ(group.U16(), 1);
    ASSERT_EQ(group.U16(), IMAGE_COUNT);

    for (const Image& expected : images) {
        const int size = expected.size;
        const bool sixteenColours = expected.bitsPerPixel == 4;
        SCOPED_TRACE(std::to_string(size) + (sixteenColours ? " px, 16 colours" : " px"));
        const Bytes entry = dir.Take(8);
        EXPECT_EQ(entry, Bytes({static_cast<std::uint8_t>(size % 256),
                                static_cast<std::uint8_t>(size % 256),
                                static_cast<std::uint8_t>(sixteenColours ? 16 : 0), 0, 1, 0,
                                static_cast<std::uint8_t>(expected.bitsPerPixel), 0}));
        const std::uint32_t bytes = dir.U32();
        const std::uint32_t offset = dir.U32();
        EXPECT_EQ(group.Take(8), entry);
        EXPECT_EQ(group.U32(), bytes);
        const std::uint16_t imageId = group.U16();
        Reader image(file, offset, offset + bytes);
        const Bytes imageBytes = image.Take(bytes);
        EXPECT_EQ(Data(RT_ICON, imageId), imageBytes);

        if (size == 256) {
            // The platform reads the largest image as a PNG file: 8 bits per channel with alpha.
            const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I',
                               'H',  'D', 'R', 0,   0,    1,    0,    0,    0, 1, 0, 8,  6};
            EXPECT_EQ(Bytes(imageBytes.begin(), imageBytes.begin() + png.size()), png);
            continue;
        }
        // Header, palette (16 colours only), colour rows and 1-bit mask rows padded to 32 bits.
        const std::uint32_t maskRow = (size + 31) / 32 * 4;
        const std::uint32_t colourStart = 40 + (sixteenColours ? 16 * 4 : 0);
        const std::uint32_t colourBytes = size * size * expected.bitsPerPixel / 8;
        EXPECT_EQ(bytes, colourStart + colourBytes + maskRow * size);
        Reader header(imageBytes);
        EXPECT_EQ(header.U32(), 40u);
        EXPECT_EQ(header.U32(), static_cast<std::uint32_t>(size));
        EXPECT_EQ(header.U32(), static_cast<std::uint32_t>(2 * size)); // colour and mask
        EXPECT_EQ(header.U16(), 1);
        EXPECT_EQ(header.U16(), expected.bitsPerPixel);
        EXPECT_EQ(header.U32(), 0u); // uncompressed

        // A drawn picture, not a blank: the grey board, black lines and discs, white discs.
        if (sixteenColours) {
            // Each pixel's colour from the image's own palette (blue, green, red, unused).
            const auto colour = [&](int index) {
                const std::uint8_t* entry = &imageBytes[40 + 4 * index];
                return std::uint32_t{entry[2]} << 16 | entry[1] << 8 | entry[0];
            };
            std::set<std::uint32_t> colours;
            for (std::uint32_t i = colourStart; i < colourStart + colourBytes; ++i) {
                colours.insert(colour(imageBytes[i] >> 4));
                colours.insert(colour(imageBytes[i] & 0xF));
            }
            for (const std::uint32_t rgb : {0x000000u, 0xC0C0C0u, 0xFFFFFFu})
                EXPECT_EQ(colours.count(rgb), 1u) << std::hex << rgb;
            continue;
        }
        // Rows bottom-up of blue, green, red, alpha (read here as 0xAARRGGBB): rounded corners,
        // less than half covered, and opaque black middle lines.
        const auto pixel = [&](int x, int y) {
            const std::uint32_t at = colourStart + ((size - 1 - y) * size + x) * 4;
            return std::uint32_t{imageBytes[at + 3]} << 24 | imageBytes[at + 2] << 16 |
                   imageBytes[at + 1] << 8 | imageBytes[at];
        };
        std::set<std::uint32_t> colours;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                colours.insert(pixel(x, y));
        EXPECT_LT(pixel(0, 0) >> 24, 128u) << "corner";
        EXPECT_LT(pixel(size - 1, size - 1) >> 24, 128u) << "corner";
        EXPECT_EQ(pixel(size / 2, size / 2), 0xFF000000u) << "middle";
        for (const std::uint32_t colour : {0xFF000000u, 0xFFC0C0C0u, 0xFFFFFFFFu})
            EXPECT_EQ(colours.count(colour), 1u) << std::hex << colour;
    }
}

INSTANTIATE_TEST_SUITE_P(Builds, CompiledResources, testing::ValuesIn(BUILDS),
                         [](const testing::TestParamInfo<Build>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
