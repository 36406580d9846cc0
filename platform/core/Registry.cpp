#include "platform/core/Registry.h"

#include "platform/core/StrUtils.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include <pwd.h>
#include <unistd.h>

// File layout, close to the system's registry export files:
//
//   [SOFTWARE\Pravix\OPC]
//   "ComputerName"="Local"
//   @="the key's default value"
//
// Inside quotes, \\ \" \r and \n stand for backslash, quote, CR and LF. Hand-written lines of
// the plain INI form (Name=Value, unquoted) are read too; lines starting with ";" or "#" and
// lines that make no sense are skipped.

namespace {

struct Value {
    std::string name;
    std::string text;
};

struct Section {
    std::string path;
    std::vector<Value> values;
};

using Hive = std::vector<Section>;

std::mutex& HiveMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::string EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeFolder()
{
    std::string home = EnvironmentValue("HOME");
    if (home.empty())
        if (const passwd* entry = ::getpwuid(::getuid()))
            home = entry->pw_dir;
    return home;
}

// "\a/b\\c\" -> "a\b\c"
std::string NormalizedPath(std::string_view path)
{
    std::string result;
    std::string part;
    auto flush = [&] {
        if (!part.empty())
            result += (result.empty() ? "" : "\\") + std::exchange(part, {});
    };
    for (char c : path) {
        if (c == '\\' || c == '/')
            flush();
        else
            part.push_back(c);
    }
    flush();
    return result;
}

bool IsKeyOrSubKey(const std::string& sectionPath, const std::string& keyPath)
{
    if (keyPath.empty())
        return true;
    return SameText(sectionPath, keyPath) ||
           (sectionPath.size() > keyPath.size() && sectionPath[keyPath.size()] == '\\' &&
            SameText(std::string_view(sectionPath).substr(0, keyPath.size()), keyPath));
}

// --- Reading ---------------------------------------------------------------------------

// Reads a quoted text starting at line[pos] == '"'; pos ends after the closing quote.
std::optional<std::string> ReadQuoted(std::string_view line, std::size_t& pos)
{
    std::string text;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return text;
        }
        if (c == '\\' && pos + 1 < line.size()) {
            c = line[++pos];
            c = c == 'r' ? '\r' : c == 'n' ? '\n' : c;
        }
        text.push_back(c);
    }
    return std::nullopt;  // no closing quote
}

std::optional<Value> ParseValueLine(std::string_view line)
{
    std::size_t pos = 0;
    Value value;
    if (line[0] == '"') {
        auto name = ReadQuoted(line, pos);
        if (!name)
            return std::nullopt;
        value.name = std::move(*name);
    } else if (line[0] == '@') {
        pos = 1;
    } else {
        pos = line.find('=');
        if (pos == std::string_view::npos)
            return std::nullopt;
        value.name = Trim(line.substr(0, pos));
    }
    while (pos < line.size() && line[pos] == ' ')
        ++pos;
    if (pos >= line.size() || line[pos] != '=')
        return std::nullopt;
    const std::string rest = Trim(line.substr(pos + 1));
    if (!rest.empty() && rest[0] == '"') {
        std::size_t at = 0;
        auto text = ReadQuoted(rest, at);
        if (!text)
            return std::nullopt;
        value.text = std::move(*text);
    } else {
        value.text = rest;
    }
    return value;
}

Hive ParseHive(std::string_view text)
{
    Hive hive;
    Section* current = nullptr;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[' && line.back() == ']') {
            hive.push_back({NormalizedPath(std::string_view(line).substr(1, line.size() - 2)), {}});
            current = &hive.back();
        } else if (current) {
            if (auto value = ParseValueLine(line))
                current->values.push_back(std::move(*value));
        }
    }
    return hive;
}

Hive LoadHive(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (fileName.empty() || !in)
        return {};
    std::ostringstream content;
    content << in.rdbuf();
    std::string utf8 = content.str();
    if (utf8.starts_with("\xEF\xBB\xBF"))
        utf8.erase(0, 3);
    return ParseHive(Utf8ToWin1252(utf8));
}

// --- Writing ---------------------------------------------------------------------------

std::string Quoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out.push_back(c);
        }
    }
    return out + '"';
}

std::string FormatHive(const Hive& hive)
{
    std::string text;
    for (const Section& section : hive) {
        text += (text.empty() ? "[" : "\n[") + section.path + "]\n";
        for (const Value& value : section.values)
            text += (value.name.empty() ? std::string("@") : Quoted(value.name)) + "=" + Quoted(value.text) + "\n";
    }
    return text;
}

// Replaces the file in one step, so that a reader never sees half of it.
bool StoreHive(const std::string& fileName, const Hive& hive)
{
    if (fileName.empty())
        return false;
    namespace fs = std::filesystem;
    const fs::path target(fileName);
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    fs::path temporary = target;
    temporary += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << Win1252ToUtf8(FormatHive(hive));
        out.flush();
        if (!out) {
            fs::remove(temporary, error);
            return false;
        }
    }
    fs::rename(temporary, target, error);
    if (error)
        fs::remove(temporary, error);
    return !error;
}

Section* FindSection(Hive& hive, const std::string& path)
{
    for (Section& section : hive)
        if (SameText(section.path, path))
            return &section;
    return nullptr;
}

const Value* FindValue(const Hive& hive, const std::string& path, const std::string& name)
{
    for (const Section& section : hive)
        if (SameText(section.path, path))
            for (const Value& value : section.values)
                if (SameText(value.name, name))
                    return &value;
    return nullptr;
}

}  // namespace

std::string RegistryFileName(TRegistryRoot root)
{
    const std::string folder = EnvironmentValue("PRAVIX_REGISTRY_DIR");
    if (!folder.empty()) {
        const char* names[] = {"classes.ini", "user.ini", "machine.ini"};
        return folder + "/" + names[root];
    }
    switch (root) {
    case HKEY_LOCAL_MACHINE: return "/etc/xdg/Pravix/machine.ini";
    case HKEY_CURRENT_USER: {
        std::string config = EnvironmentValue("XDG_CONFIG_HOME");
        if (config.empty())
            config = HomeFolder() + "/.config";
        return config + "/Pravix/user.ini";
    }
    case HKEY_CLASSES_ROOT: break;
    }
    return "";
}

std::optional<TRegistryKey> OpenKey(TRegistryRoot root, const std::string& path, bool create)
{
    const std::string keyPath = NormalizedPath(path);
    const std::string fileName = RegistryFileName(root);
    std::lock_guard lock(HiveMutex());
    Hive hive = LoadHive(fileName);
    for (const Section& section : hive)
        if (IsKeyOrSubKey(section.path, keyPath))
            return TRegistryKey(root, keyPath);
    if (keyPath.empty() && !fileName.empty())
        return TRegistryKey(root, keyPath);
    if (!create)
        return std::nullopt;
    hive.push_back({keyPath, {}});
    if (!StoreHive(fileName, hive))
        return std::nullopt;
    return TRegistryKey(root, keyPath);
}

std::string TRegistryKey::ReadString(const std::string& name) const
{
    std::lock_guard lock(HiveMutex());
    const Hive hive = LoadHive(RegistryFileName(m_root));
    const Value* value = FindValue(hive, m_path, name);
    return value ? value->text : std::string();
}

bool TRegistryKey::ValueExists(const std::string& name) const
{
    std::lock_guard lock(HiveMutex());
    return FindValue(LoadHive(RegistryFileName(m_root)), m_path, name) != nullptr;
}

bool TRegistryKey::WriteString(const std::string& name, const std::string& value)
{
    const std::string fileName = RegistryFileName(m_root);
    std::lock_guard lock(HiveMutex());
    Hive hive = LoadHive(fileName);
    Section* section = FindSection(hive, m_path);
    if (!section) {
        hive.push_back({m_path, {}});
        section = &hive.back();
    }
    auto found = std::find_if(section->values.begin(), section->values.end(),
                              [&](const Value& v) { return SameText(v.name, name); });
    if (found != section->values.end())
        found->text = value;
    else
        section->values.push_back({name, value});
    return StoreHive(fileName, hive);
}
