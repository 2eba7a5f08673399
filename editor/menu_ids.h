// Command ids of the editor's menu items and accelerators.
#pragma once

enum EditorCommand {
    cmd_new = 101,
    cmd_open = 102,
    cmd_save = 103,
    cmd_save_as = 104,
    cmd_delete_project = 105,
    cmd_start_run = 201,
    cmd_stop_run = 202,
    cmd_compile = 301,
    cmd_help_topics = 401,
    cmd_about = 402,
};
