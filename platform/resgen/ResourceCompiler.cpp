// ResourceCompiler <output.cpp> <file>...
//
// Build-time tool: turns the files under resources/ into a C++ source holding their bytes and
// the table that platform/core/Resources.cpp searches. A resource's name is its file name up to the
// first ".", in upper case; two files with one name are an error.
//
// Files named *.txt inside a folder called "bitmaps" are pixel art and become 4-bit BMP files.
// Every other file is stored byte for byte.
//
// Pixel art: one line per pixel row, top row first, one character per pixel, every row of the
// same width. Trailing blank lines and a CR before each LF are ignored. The characters are the
// 16 colours of the Windows palette, in palette order:
//
//   k black    000000      r maroon   800000      g green    008000      y olive    808000
//   b navy     000080      m purple   800080      . teal     008080      s silver   C0C0C0
//   x grey     808080      R red      FF0000      G lime     00FF00      Y yellow   FFFF00
//   B blue     0000FF      M fuchsia  FF00FF      C aqua     00FFFF      W white    FFFFFF
//
// Teal (".") is the toolbar's transparent colour.

#include <cctype>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct PaletteEntry {
    char key;
    std::uint8_t red, green, blue;
};

constexpr PaletteEntry kPalette[16] = {
    {'k', 0x00, 0x00, 0x00}, {'r', 0x80, 0x00, 0x00}, {'g', 0x00, 0x80, 0x00}, {'y', 0x80, 0x80, 0x00},
    {'b', 0x00, 0x00, 0x80}, {'m', 0x80, 0x00, 0x80}, {'.', 0x00, 0x80, 0x80}, {'s', 0xC0, 0xC0, 0xC0},
    {'x', 0x80, 0x80, 0x80}, {'R', 0xFF, 0x00, 0x00}, {'G', 0x00, 0xFF, 0x00}, {'Y', 0xFF, 0xFF, 0x00},
    {'B', 0x00, 0x00, 0xFF}, {'M', 0xFF, 0x00, 0xFF}, {'C', 0x00, 0xFF, 0xFF}, {'W', 0xFF, 0xFF, 0xFF},
};

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Failure(path + ": cannot be read");
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string BaseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return "";
    return BaseName(path.substr(0, slash));
}

std::string ResourceName(const std::string& path)
{
    std::string name = BaseName(path);
    name = name.substr(0, name.find('.'));
    if (name.empty())
        throw Failure(path + ": a resource file name needs a name before its first \".\"");
    for (char& c : name) {
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_'))
            throw Failure(path + ": resource names use letters, digits and \"_\" only");
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
}

bool IsPixelArt(const std::string& path)
{
    const std::string base = BaseName(path);
    return FolderName(path) == "bitmaps" && base.size() > 4 && base.ends_with(".txt");
}

std::vector<std::string> PixelRows(const std::string& path, const std::string& text)
{
    std::vector<std::string> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        rows.push_back(line);
    }
    while (!rows.empty() && rows.back().empty())
        rows.pop_back();
    if (rows.empty())
        throw Failure(path + ": no pixel rows");
    for (std::size_t y = 0; y < rows.size(); ++y) {
        if (rows[y].size() != rows[0].size())
            throw Failure(path + ":" + std::to_string(y + 1) + ": row is " + std::to_string(rows[y].size()) +
                          " pixels wide, the first row " + std::to_string(rows[0].size()));
    }
    return rows;
}

int PaletteIndex(const std::string& path, std::size_t row, std::size_t column, char c)
{
    for (int i = 0; i < 16; ++i)
        if (kPalette[i].key == c)
            return i;
    throw Failure(path + ":" + std::to_string(row + 1) + ":" + std::to_string(column + 1) + ": \"" + std::string(1, c) +
                  "\" is not a palette character");
}

void PutLE(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// BITMAPFILEHEADER, BITMAPINFOHEADER, 16 palette entries, then the rows bottom-up, two pixels
// a byte (left pixel in the high nibble), each row padded to a multiple of 4 bytes.
std::string PixelArtToBmp(const std::string& path, const std::string& text)
{
    const std::vector<std::string> rows = PixelRows(path, text);
    const std::uint32_t width = static_cast<std::uint32_t>(rows[0].size());
    const std::uint32_t height = static_cast<std::uint32_t>(rows.size());
    const std::uint32_t rowBytes = (width * 4 + 31) / 32 * 4;
    const std::uint32_t pixelOffset = 14 + 40 + 16 * 4;
    const std::uint32_t imageSize = rowBytes * height;

    std::string bmp = "BM";
    PutLE(bmp, pixelOffset + imageSize, 4);
    PutLE(bmp, 0, 4);  // reserved
    PutLE(bmp, pixelOffset, 4);
    PutLE(bmp, 40, 4);
    PutLE(bmp, width, 4);
    PutLE(bmp, height, 4);  // positive: bottom-up
    PutLE(bmp, 1, 2);       // planes
    PutLE(bmp, 4, 2);       // bits per pixel
    PutLE(bmp, 0, 4);       // no compression
    PutLE(bmp, imageSize, 4);
    PutLE(bmp, 0, 4);  // resolution: not given
    PutLE(bmp, 0, 4);
    PutLE(bmp, 16, 4);  // colours used
    PutLE(bmp, 0, 4);   // all important
    for (const PaletteEntry& entry : kPalette) {
        bmp.push_back(static_cast<char>(entry.blue));
        bmp.push_back(static_cast<char>(entry.green));
        bmp.push_back(static_cast<char>(entry.red));
        bmp.push_back('\0');
    }
    for (std::size_t y = rows.size(); y-- > 0;) {
        std::string line(rowBytes, '\0');
        for (std::size_t x = 0; x < width; ++x) {
            const int index = PaletteIndex(path, y, x, rows[y][x]);
            line[x / 2] = static_cast<char>(line[x / 2] | (x % 2 ? index : index << 4));
        }
        bmp += line;
    }
    return bmp;
}

void WriteArray(std::ostream& out, std::size_t number, const std::string& bytes)
{
    out << "const unsigned char kData" << number << "[] = {";
    if (bytes.empty())
        out << "0";
    for (std::size_t i = 0; i < bytes.size(); ++i)
        out << (i % 20 ? "" : "\n    ") << unsigned(static_cast<unsigned char>(bytes[i])) << ",";
    out << "\n};\n";
}

std::string GenerateSource(const std::vector<std::string>& files)
{
    std::map<std::string, std::string> resources;  // name -> bytes, sorted by name
    std::map<std::string, std::string> origins;
    for (const std::string& path : files) {
        const std::string name = ResourceName(path);
        if (auto [it, added] = origins.emplace(name, path); !added)
            throw Failure(path + ": resource name " + name + " is taken by " + it->second);
        const std::string content = ReadFile(path);
        resources[name] = IsPixelArt(path) ? PixelArtToBmp(path, content) : content;
    }

    std::ostringstream out;
    out << "// Generated at build time from the files under resources/. Do not edit.\n"
           "#include \"platform/core/ResourceTable.h\"\n\nnamespace {\n\n";
    std::size_t number = 0;
    for (const auto& [name, bytes] : resources)
        WriteArray(out, number++, bytes);
    out << "\nconst TResourceEntry kEntries[] = {\n";
    number = 0;
    for (const auto& [name, bytes] : resources)
        out << "    {\"" << name << "\", kData" << number++ << ", " << bytes.size() << "},\n";
    out << "    {nullptr, nullptr, 0},\n};\n\n}  // namespace\n\n"
           "std::span<const TResourceEntry> ResourceTable()\n{\n    return {kEntries, "
        << resources.size() << "};\n}\n";
    return out.str();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush())
        throw Failure(path + ": cannot be written");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: ResourceCompiler <output.cpp> <file>...\n";
        return 2;
    }
    try {
        WriteFile(argv[1], GenerateSource(std::vector<std::string>(argv + 2, argv + argc)));
    } catch (const Failure& failure) {
        std::cerr << "error: " << failure.what() << "\n";
        return 1;
    }
    return 0;
}
