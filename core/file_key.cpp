// The file key: seals script files. Only the editor links this.
#include "key_texts.h"

namespace tlq {

const char kFileKey[] = TLQ_FILE_KEY_TEXT;

}  // namespace tlq
