// The user guide inside the program: its Markdown as Qt renders it, in a window of its own.
#pragma once

#include <string>

class QWidget;

namespace vartesk::ui {

// Shows `markdown` in the guide window over `parent`, modeless; the window is made once and
// raised again on later calls. Gives the window.
QWidget *ShowGuideWindow(QWidget *parent, const std::string &markdown);

} // namespace vartesk::ui
