#pragma once
// A small stand-in for the system registry: string values under keys of three roots, kept in
// one text file per root so that settings persist from one run to the next.
//
// Files: the folder named by the environment variable PRAVIX_REGISTRY_DIR, when set, holds
// machine.ini, user.ini and classes.ini. Otherwise the machine root is
// /etc/xdg/Pravix/machine.ini, the user root $XDG_CONFIG_HOME/Pravix/user.ini (~/.config when
// the variable is unset) and the classes root is empty and read-only.
//
// Key paths separate their parts with "\" or "/"; key and value names ignore ASCII case. Every
// call reads the file afresh and every write replaces it whole, so several keys (and several
// program instances) see each other's values. Names and values are 8-bit (Windows-1252) text;
// the files are UTF-8.

#include <optional>
#include <string>

enum TRegistryRoot { HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE };

class TRegistryKey {
public:
    // A key's default value has the empty name.
    std::string ReadString(const std::string& name) const;  // "" when the key or value is missing
    bool ValueExists(const std::string& name) const;
    // False when the root's file cannot be written.
    bool WriteString(const std::string& name, const std::string& value);

    TRegistryRoot Root() const { return m_root; }
    const std::string& Path() const { return m_path; }  // parts joined by "\"

private:
    friend std::optional<TRegistryKey> OpenKey(TRegistryRoot, const std::string&, bool);
    TRegistryKey(TRegistryRoot root, std::string path) : m_root(root), m_path(std::move(path)) {}

    TRegistryRoot m_root;
    std::string m_path;
};

// The key, or none when it does not exist and create is false (a key exists when it or one of
// its sub-keys was created), or when it had to be created and the root cannot be written.
std::optional<TRegistryKey> OpenKey(TRegistryRoot root, const std::string& path, bool create);

// The file that holds a root's keys; "" for a root without one.
std::string RegistryFileName(TRegistryRoot root);
