// Tells what kind of file a script input is: a script file sealed with the
// file key, a code file sealed with the code key, a plain script text, or
// bytes that are none of these (sealed under some other key, or binary).
#pragma once

#include "byte_string.h"

namespace tlq::tlqc {

enum class ScriptKind { plain, script_file, code_file, unusable };

struct RecognisedScript {
    ScriptKind kind = ScriptKind::plain;
    Bytes text;  // the plain script text; empty for unusable
};

// Tries the file key, then the code key; a plain text otherwise.
RecognisedScript recognise_script(const Bytes& content);

// "plain script text", "script file (file key)", ...
const char* kind_description(ScriptKind kind);

}  // namespace tlq::tlqc
