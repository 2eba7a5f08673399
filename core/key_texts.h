// The two fixed key texts. The code key is the file key followed by six
// digits. The launchers link only code_key.cpp, so they carry no file key.
#pragma once

// The one definition of the key text: 221 printable ASCII characters. Both
// key objects are spelled from it, so the two can never drift apart.
#define TLQ_FILE_KEY_TEXT \
    "Taliq Script seals every script with this line: lanterns on the river bank, " \
    "ink stones by the window, forty-two paper cranes and a kettle that sings at dawn; " \
    "keep the scroll dry, count the steps twice & mind the gate #71."

// The six digits that turn the file key into the code key.
#define TLQ_CODE_KEY_DIGITS "580317"

namespace tlq {

extern const char kFileKey[];
extern const char kCodeKey[];

}  // namespace tlq
