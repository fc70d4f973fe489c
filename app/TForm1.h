#pragma once

#include <QSize>
#include <QWidget>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "app/FailureReport.h"
#include "app/FormServices.h"
#include "speech/SpeechControl.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace quorvantix {

// The program's one window: it watches the clipboard, looks new text up and shows the answer.
// Controls are owned by the window (Qt parent-child); their names are the window's own.
class TForm1 : public QWidget {
    Q_OBJECT

  public:
    // Builds the window and runs FormCreate, all before it is first shown.
    explicit TForm1(FormServices services, QWidget* parent = nullptr);
    ~TForm1() override;

    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    QLineEdit* Edit0;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPlainTextEdit* Memo1;
    QTimer* Timer1;
    std::string LastLookedUpText;

    // Event handlers. They may throw; the window calls them through its reporting boundary.
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void FormClose();
    void FormCreate();
    void FormResize();
    // Speaks the word clicked in Memo1; does nothing in a window that does not speak.
    void Memo1Click();
    void Timer1Timer();

    using Handler = void (TForm1::*)();

    // Runs an event handler through the window's reporting boundary, as events do. A handler
    // dispatched while another runs (the speech engine's stop lets posted events through while
    // it waits) runs after it, never inside it; one dispatched while the window is destroyed
    // does not run.
    void Dispatch(Handler handler) noexcept;

    // One watch step: a new, short enough clipboard text is looked up and shown.
    void PollClipboard(bool FromTimer);

    void LoadWindowPlacement();
    void SaveWindowPlacement();

    // True when nothing is being spoken any more; false when the speech control failed.
    bool StopSpeaking();

    // Sets the window's caption to the text exactly as given. Qt would take "[*]" in a title
    // for its "modified" mark and drop it.
    void SetCaption(const std::string& text);

    // The window's bounds including the window manager's frame.
    QRect OuterBounds() const;
    void SetOuterBounds(const QRect& bounds);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void CreateControls();
    void ConnectSpeechControl();
    void ConnectHandlers();
    void ShowSetUpButtons(bool set_up);
    void StepLimit(bool up);
    void MinimiseApplication();
    void RestoreApplication();
    QSize FrameSize() const;
    void ResizeOuter(QSize outer);
    void ApplyPendingOuterSize();

    std::string program_folder_;
    std::unique_ptr<ClipboardReader> clipboard_;
    FailureReporter report_;
    // Hidden; speaks what is clicked in Memo1. Empty in the program without speech.
    std::unique_ptr<SpeechControl> TextToSpeech1;
    // Set until the window manager's frame is known, so the outer size can be met exactly.
    std::optional<QSize> pending_outer_size_;
    bool handling_ = false;
    std::deque<Handler> deferred_;
};

}  // namespace quorvantix
