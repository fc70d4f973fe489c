#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <vector>

#include "app/TForm1.h"

namespace quorvantix::testing {

// The controls that Tab visits, in order, starting at Edit0.
inline std::vector<QWidget*> FormTabChain(const TForm1& form) {
    std::vector<QWidget*> chain = {form.Edit0};
    for (QWidget* next = form.Edit0->nextInFocusChain(); next != form.Edit0;
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) != 0) {
            chain.push_back(next);
        }
    }
    return chain;
}

// Edit0, Memo1 and the four buttons, whether the window speaks or not.
inline std::vector<QWidget*> DesignedTabChain(const TForm1& form) {
    return {form.Edit0, form.Memo1, form.Button1, form.Button2, form.Button3, form.Button4};
}

}  // namespace quorvantix::testing
