// ResFile, Reader, Dialog, MenuItem, VersionNode: reads a compiled .res file and the formats of
// the resources in it, as the platform reads them from the executable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A resource type, resource name, window class or control text: an ordinal or a string.
struct ResId {
    std::uint16_t ordinal = 0;
    std::u16string name; // empty for an ordinal
    bool isOrdinal = true;

    static ResId Ordinal(std::uint16_t n) { return {n, {}, true}; }
    static ResId Name(std::u16string s) { return {0, std::move(s), false}; }
    bool operator==(const ResId& o) const {
        return isOrdinal == o.isOrdinal && ordinal == o.ordinal && name == o.name;
    }
    bool operator<(const ResId& o) const {
        if (isOrdinal != o.isOrdinal)
            return isOrdinal;
        return isOrdinal ? ordinal < o.ordinal : name < o.name;
    }
};
std::ostream& operator<<(std::ostream& os, const ResId& id);

// Little-endian reads over a block of bytes; reading past its end throws, which fails the test.
class Reader {
public:
    explicit Reader(const Bytes& bytes, std::size_t pos = 0, std::size_t end = SIZE_MAX);

    std::uint8_t U8();
    std::uint16_t U16();
    std::uint32_t U32();
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
    std::u16string Sz(); // UTF-16 up to its zero
    ResId SzOrOrdinal(); // 0xFFFF then a number, or a UTF-16 string
    Bytes Take(std::size_t n);
    void Align4(); // alignment counts from the start of the block
    void Seek(std::size_t pos) { m_pos = pos; }
    std::size_t Pos() const { return m_pos; }
    bool AtEnd() const { return m_pos >= m_end; }

private:
    void Need(std::size_t n) const;

    const Bytes& m_bytes;
    std::size_t m_pos;
    std::size_t m_end;
};

struct Resource {
    ResId type;
    ResId name;
    std::uint16_t language = 0;
    Bytes data;
};

// All resources of a .res file (the format windres -O res writes), in file order.
std::vector<Resource> ReadResFile(const std::string& path);
Bytes ReadWholeFile(const std::string& path);

struct DialogControl {
    ResId windowClass;
    ResId text;
    std::uint16_t id = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;

    bool operator==(const DialogControl& o) const;
};
std::ostream& operator<<(std::ostream& os, const DialogControl& c);

// A dialog template in either layout (DLGTEMPLATE or DLGTEMPLATEEX).
struct Dialog {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    ResId menu;
    ResId windowClass;
    std::u16string caption;
    std::uint16_t pointSize = 0;
    std::u16string face;
    std::vector<DialogControl> controls;
};
Dialog ParseDialog(const Bytes& data);

// One entry of a menu template, in template order; a popup's items follow it.
struct MenuItem {
    std::uint16_t flags = 0;
    std::uint16_t id = 0; // none for a popup
    std::u16string text;

    bool operator==(const MenuItem& o) const {
        return flags == o.flags && id == o.id && text == o.text;
    }
};
std::ostream& operator<<(std::ostream& os, const MenuItem& item);
std::vector<MenuItem> ParseMenu(const Bytes& data);

// The 16 strings of one string-table block.
std::vector<std::u16string> ParseStringBlock(const Bytes& data);

// A node of the version resource: a key, a text or binary value, and children.
struct VersionNode {
    std::u16string key;
    bool isText = false;
    Bytes value;         // binary value
    std::u16string text; // text value without its zero
    std::vector<VersionNode> children;

    const VersionNode* Child(const std::u16string& k) const;
};
VersionNode ParseVersion(const Bytes& data);

// The attributes of every element with this name, in document order.
std::vector<std::map<std::string, std::string>> XmlElements(const std::string& xml,
                                                            const std::string& element);
