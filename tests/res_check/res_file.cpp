#include "res_file.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

constexpr std::uint16_t ORDINAL_MARK = 0xFFFF;
constexpr std::uint32_t DS_SETFONT = 0x40;
constexpr std::uint16_t MF_POPUP = 0x10;
constexpr std::uint16_t MF_END = 0x80;
constexpr int STRINGS_PER_BLOCK = 16;
constexpr std::uint16_t VERSION_TEXT = 1;

std::string Narrow(const std::u16string& s) {
    std::string out;
    for (char16_t c : s) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            out += buf;
        }
    }
    return out;
}

} // namespace

std::ostream& operator<<(std::ostream& os, const ResId& id) {
    if (id.isOrdinal)
        return os << '#' << id.ordinal;
    return os << '"' << Narrow(id.name) << '"';
}

Reader::Reader(const Bytes& bytes, std::size_t pos, std::size_t end)
    : m_bytes(bytes), m_pos(pos), m_end(end < bytes.size() ? end : bytes.size()) {}

void Reader::Need(std::size_t n) const {
    if (m_pos > m_end || m_end - m_pos < n)
        throw std::runtime_error("resource data ends early at offset " + std::to_string(m_pos));
}

std::uint8_t Reader::U8() {
    Need(1);
    return m_bytes[m_pos++];
}

std::uint16_t Reader::U16() {
    const std::uint16_t lo = U8();
    return static_cast<std::uint16_t>(lo | U8() << 8);
}

std::uint32_t Reader::U32() {
    const std::uint32_t lo = U16();
    return lo | static_cast<std::uint32_t>(U16()) << 16;
}

std::u16string Reader::Sz() {
    std::u16string s;
    for (char16_t c = U16(); c != 0; c = U16())
        s += c;
    return s;
}

ResId Reader::SzOrOrdinal() {
    Need(2);
    if (m_bytes[m_pos] == 0xFF && m_bytes[m_pos + 1] == 0xFF) {
        U16();
        return ResId::Ordinal(U16());
    }
    return ResId::Name(Sz());
}

Bytes Reader::Take(std::size_t n) {
    Need(n);
    Bytes out(m_bytes.begin() + m_pos, m_bytes.begin() + m_pos + n);
    m_pos += n;
    return out;
}

void Reader::Align4() { m_pos = (m_pos + 3) & ~std::size_t{3}; }

Bytes ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<Resource> ReadResFile(const std::string& path) {
    const Bytes file = ReadWholeFile(path);
    std::vector<Resource> resources;
    Reader r(file);
    while (!r.AtEnd()) {
        const std::size_t start = r.Pos();
        const std::uint32_t dataSize = r.U32();
        const std::uint32_t headerSize = r.U32();
        Resource res;
        res.type = r.SzOrOrdinal();
        res.name = r.SzOrOrdinal();
        r.Align4();
        r.U32(); // data version
        r.U16(); // memory flags
        res.language = r.U16();
        r.Seek(start + headerSize);
        res.data = r.Take(dataSize);
        r.Align4();
        // A .res file opens with an empty entry that only marks the format.
        if (!(dataSize == 0 && res.type == ResId::Ordinal(0)))
            resources.push_back(std::move(res));
    }
    return resources;
}

bool DialogControl::operator==(const DialogControl& o) const {
    return windowClass == o.windowClass && text == o.text && id == o.id && style == o.style &&
           exStyle == o.exStyle && x == o.x && y == o.y && cx == o.cx && cy == o.cy;
}

std::ostream& operator<<(std::ostream& os, const DialogControl& c) {
    return os << "{class " << c.windowClass << ", text " << c.text << ", id " << c.id
              << ", style 0x" << std::hex << c.style << ", exstyle 0x" << c.exStyle << std::dec
              << ", at " << c.x << ',' << c.y << ' ' << c.cx << 'x' << c.cy << '}';
}

Dialog ParseDialog(const Bytes& data) {
    Reader r(data);
    Dialog d;
    const bool extended = data.size() >= 4 && data[0] == 1 && data[2] == 0xFF && data[3] == 0xFF;
    if (extended) {
        r.U32(); // version and signature
        r.U32(); // help id
        d.exStyle = r.U32();
        d.style = r.U32();
    } else {
        d.style = r.U32();
        d.exStyle = r.U32();
    }
    const std::uint16_t count = r.U16();
    d.x = r.I16();
    d.y = r.I16();
    d.cx = r.I16();
    d.cy = r.I16();
    d.menu = r.SzOrOrdinal();
    d.windowClass = r.SzOrOrdinal();
    d.caption = r.Sz();
    if (d.style & DS_SETFONT) {
        d.pointSize = r.U16();
        if (extended) {
            r.U16(); // weight
            r.U8();  // italic
            r.U8();  // character set
        }
        d.face = r.Sz();
    }
    for (std::uint16_t i = 0; i < count; ++i) {
        r.Align4();
        DialogControl c;
        if (extended) {
            r.U32(); // help id
            c.exStyle = r.U32();
            c.style = r.U32();
        } else {
            c.style = r.U32();
            c.exStyle = r.U32();
        }
        c.x = r.I16();
        c.y = r.I16();
        c.cx = r.I16();
        c.cy = r.I16();
        c.id = extended ? static_cast<std::uint16_t>(r.U32()) : r.U16();
        c.windowClass = r.SzOrOrdinal();
        c.text = r.SzOrOrdinal();
        r.Take(r.U16()); // creation data
        d.controls.push_back(c);
    }
    return d;
}

std::ostream& operator<<(std::ostream& os, const MenuItem& item) {
    return os << "{flags 0x" << std::hex << item.flags << std::dec << ", id " << item.id << ", \""
              << Narrow(item.text) << "\"}";
}

namespace {

// One level of a menu: its items up to the one marked as the last; a popup's own items follow it.
void ParseMenuLevel(Reader& r, std::vector<MenuItem>& items) {
    for (;;) {
        MenuItem item;
        item.flags = r.U16();
        if (!(item.flags & MF_POPUP))
            item.id = r.U16();
        item.text = r.Sz();
        items.push_back(item);
        if (item.flags & MF_POPUP)
            ParseMenuLevel(r, items);
        if (item.flags & MF_END)
            return;
    }
}

} // namespace

std::vector<MenuItem> ParseMenu(const Bytes& data) {
    Reader r(data);
    if (r.U16() != 0 || r.U16() != 0)
        throw std::runtime_error("not a plain menu template");
    std::vector<MenuItem> items;
    ParseMenuLevel(r, items);
    if (!r.AtEnd())
        throw std::runtime_error("menu template goes on after its last item");
    return items;
}

std::vector<std::u16string> ParseStringBlock(const Bytes& data) {
    Reader r(data);
    std::vector<std::u16string> strings;
    for (int i = 0; i < STRINGS_PER_BLOCK; ++i) {
        std::u16string s;
        for (std::uint16_t n = r.U16(); n > 0; --n)
            s += static_cast<char16_t>(r.U16());
        strings.push_back(s);
    }
    return strings;
}

namespace {

VersionNode ParseVersionNode(const Bytes& data, Reader& r) {
    const std::size_t start = r.Pos();
    const std::uint16_t length = r.U16();
    const std::uint16_t valueLength = r.U16();
    const std::uint16_t type = r.U16();
    VersionNode node;
    node.key = r.Sz();
    r.Align4();
    node.isText = type == VERSION_TEXT;
    if (node.isText) {
        // The length counts characters, the zero included; a node without a value has none.
        const Bytes text = r.Take(valueLength * 2u);
        Reader chars(text);
        node.text = valueLength > 0 ? chars.Sz() : u"";
    } else {
        node.value = r.Take(valueLength);
    }
    r.Align4();
    while (r.Pos() < start + length) {
        Reader child(data, r.Pos(), start + length);
        node.children.push_back(ParseVersionNode(data, child));
        r.Seek(child.Pos());
        r.Align4();
    }
    return node;
}

} // namespace

const VersionNode* VersionNode::Child(const std::u16string& k) const {
    for (const VersionNode& c : children)
        if (c.key == k)
            return &c;
    return nullptr;
}

VersionNode ParseVersion(const Bytes& data) {
    Reader r(data);
    return ParseVersionNode(data, r);
}

std::vector<std::map<std::string, std::string>> XmlElements(const std::string& xml,
                                                            const std::string& element) {
    std::vector<std::map<std::string, std::string>> found;
    const std::string open = "<" + element;
    for (std::size_t at = xml.find(open); at != std::string::npos; at = xml.find(open, at + 1)) {
        const std::size_t end = xml.find('>', at);
        if (end == std::string::npos ||
            !std::isspace(static_cast<unsigned char>(xml[at + open.size()])))
            continue;
        // The attributes are name="value" pairs; nothing here needs entities or single quotes.
        std::map<std::string, std::string> attributes;
        std::size_t pos = at + open.size();
        for (;;) {
            const std::size_t equals = xml.find('=', pos);
            if (equals == std::string::npos || equals > end)
                break;
            std::size_t nameStart = equals;
            while (nameStart > pos && !std::isspace(static_cast<unsigned char>(xml[nameStart - 1])))
                --nameStart;
            const std::size_t valueStart = xml.find('"', equals) + 1;
            const std::size_t valueEnd = xml.find('"', valueStart);
            if (valueStart == 0 || valueEnd == std::string::npos || valueEnd > end)
                break;
            attributes[xml.substr(nameStart, equals - nameStart)] =
                xml.substr(valueStart, valueEnd - valueStart);
            pos = valueEnd + 1;
        }
        found.push_back(attributes);
    }
    return found;
}
