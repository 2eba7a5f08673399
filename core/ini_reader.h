// Our own reader for INI-style script texts. It answers like the Windows
// profile reader and indexes the document once, so looking up each of n
// numbered lines costs O(1) instead of a rescan of the file.
#pragma once

#include "byte_string.h"

namespace tlq {

enum class IniMode {
    // profile_read: leading bytes 0x01-0x20 of path, section and key skipped;
    // values cut at 10,239 bytes.
    profile,
    // The code launcher's variant: names passed unchanged, values whole.
    whole_values,
};

class IniDocument {
public:
    explicit IniDocument(const Bytes& content);
    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;
    ~IniDocument();

    // True when the section holds the key; value receives it (quotes of an
    // enclosing pair removed, cut as the mode says).
    bool find(const Text& section, const Text& key, IniMode mode, Text& value) const;

private:
    struct Impl;
    Impl* impl_;
};

// One value of an INI file on disk; the default when file, section or key
// is missing. Reads the file through read_whole_file.
Text profile_read(const Text& file, const Text& section, const Text& key,
                  const Text& default_value = Text(), IniMode mode = IniMode::profile);

}  // namespace tlq
