// The code key: seals code files; the launchers need nothing else.
#include "key_texts.h"

namespace tlq {

const char kCodeKey[] = TLQ_FILE_KEY_TEXT TLQ_CODE_KEY_DIGITS;

}  // namespace tlq
