#include "script_template.h"

namespace tlq {

const char kScriptTemplate[] =
    "[info]\r\n"
    "当前命令数量=2\r\n"
    "子程序的名字=main\r\n"
    "程序名称=HelloWorld\r\n"
    "[main]\r\n"
    "1=置信息框标题 Hello\r\n"
    "2=信息框 Hello World!";

}  // namespace tlq
