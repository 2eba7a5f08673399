#include "script_recognition.h"

#include "key_texts.h"
#include "sealed_file.h"

namespace tlq::tlqc {

namespace {

bool is_control_byte(unsigned char b) {
    return (b < 0x20 && b != '\t' && b != '\r' && b != '\n' && b != '\f') || b == 0x7F;
}

// A script text never holds a zero byte. A sealed file of another key is
// whole 8-byte blocks of cipher bytes, where control bytes abound; a text of
// that length with a stray control byte is rare enough to call it binary.
bool looks_binary(const Bytes& content) {
    bool control = false;
    for (size_t i = 0; i < content.size(); ++i) {
        if (content[i] == 0) return true;
        if (is_control_byte(content[i])) control = true;
    }
    return control && content.size() % 8 == 0;
}

}  // namespace

RecognisedScript recognise_script(const Bytes& content) {
    RecognisedScript result;
    if (content.empty()) return result;
    Bytes text = unseal(content, kFileKey);
    if (!text.empty()) {
        result.kind = ScriptKind::script_file;
        result.text = text;
        return result;
    }
    text = unseal(content, kCodeKey);
    if (!text.empty()) {
        result.kind = ScriptKind::code_file;
        result.text = text;
        return result;
    }
    if (looks_binary(content)) {
        result.kind = ScriptKind::unusable;
        return result;
    }
    result.text = content;
    return result;
}

const char* kind_description(ScriptKind kind) {
    switch (kind) {
        case ScriptKind::plain: return "plain script text";
        case ScriptKind::script_file: return "script file (sealed with the file key)";
        case ScriptKind::code_file: return "code file (sealed with the code key)";
        case ScriptKind::unusable: return "not a script";
    }
    return "";
}

}  // namespace tlq::tlqc
