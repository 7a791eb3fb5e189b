// Showing a state object's values in widgets without echoing them back as edits.
#pragma once

#include "ui/caption_text.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLineEdit>

#include <string>

namespace vartesk::ui {

// Sets the text only when it differs, so the cursor of a field being typed in stays put.
inline void ShowText(QLineEdit *edit, const std::string &text)
{
    const QString shown = CaptionText(text);
    if (edit->text() != shown)
        edit->setText(shown);
}

// Checks the button of that id, or none for an id without a button (a value read from a file
// that no choice stands for).
inline void ShowChoice(QButtonGroup *group, int id)
{
    if (QAbstractButton *chosen = group->button(id)) {
        chosen->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton *button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

} // namespace vartesk::ui
