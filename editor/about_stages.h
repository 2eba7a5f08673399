// The stage label's chain of captions: what each double click on it (or an
// accepted secret code) shows and does. Plain data, no window code.
#pragma once

namespace tlq::editor {

enum class StageAction {
    none,
    start_sliding,        // the sliding timer starts, period 100 ms
    stop_sliding,         // it stops and the label goes back to left 32
    start_jumping,        // the jumping timer starts, period 325 ms
    stop_jumping,         // it stops and the label goes back to 32,272
    hide_controls,        // after the caption: seven controls disappear
    show_controls,        // and come back
    open_camera,          // before the caption
};

struct Stage {
    const char* caption;
    StageAction action;
};

// Indexed by the stage counter before the step. The last stage repeats:
// the counter stays there and the caption stays empty.
inline constexpr Stage about_stages[] = {
    {"别点了别点了", StageAction::none},
    {"如果你这样点我", StageAction::none},
    {"我会很痛的你知不知道", StageAction::none},
    {"别点了", StageAction::none},
    {"别点了!!!!!!", StageAction::none},
    {"求你别点了啊", StageAction::none},
    {"55555555", StageAction::none},
    {"你点不到我", StageAction::start_sliding},
    {"666这个入是刮", StageAction::stop_sliding},
    {"这次你点不到我了吧", StageAction::start_jumping},
    {"不是哥们，这都能做到", StageAction::stop_jumping},
    {"你手速这么快的吗", StageAction::none},
    {"别按我了吧,plz", StageAction::none},
    {"还按!?!?", StageAction::none},
    {"不是你什么意思啊", StageAction::none},
    {"再按我就把窗口关掉!", StageAction::none},
    {"你觉得我敢关吗？", StageAction::none},
    {"关了就重置了啊", StageAction::none},
    {"因为我善，所以不关", StageAction::none},
    {"我可以让窗口组件消失", StageAction::none},
    {"就像这样", StageAction::hide_controls},
    {"很NB，对吧", StageAction::show_controls},
    {"但是我并不知道这有什么用", StageAction::none},
    {"我可以打开你的相机", StageAction::none},
    {"这不是zai骗人，真的可以开", StageAction::none},
    {"我要开了！", StageAction::none},
    {"3", StageAction::none},
    {"2", StageAction::none},
    {"1", StageAction::none},
    {"开了!!", StageAction::open_camera},
    {"END", StageAction::none},
    {"你发现了程序的彩蛋", StageAction::none},
    {"这是我故意做的", StageAction::none},
    {"但是代码实在是太多了QAQ", StageAction::none},
    {"结束力！（喜）", StageAction::none},
    {"", StageAction::none},
};

inline constexpr int last_stage = static_cast<int>(sizeof about_stages / sizeof about_stages[0]) - 1;

}  // namespace tlq::editor
