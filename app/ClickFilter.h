#pragma once

#include <QObject>
#include <functional>

namespace quorvantix {

// Calls back when the left mouse button is released over the watched widget, after the widget
// has placed its caret; the widget still gets the event.
class ClickFilter : public QObject {
    Q_OBJECT

  public:
    ClickFilter(QObject* watched, std::function<void()> on_click);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void()> on_click_;
};

}  // namespace quorvantix
