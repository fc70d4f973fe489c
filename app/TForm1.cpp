#include "app/TForm1.h"

#include <QCloseEvent>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <algorithm>
#include <map>

#include "app/DesktopClipboard.h"
#include "app/FormLayout.h"
#include "app/NumberText.h"
#include "app/PlacementText.h"

namespace quorvantix {

namespace {

QFont FormFont(int pixel_height) {
    QFont font;
    // The designed face first, then Japanese gothic faces found on Linux desktops.
    font.setFamilies({QString::fromUtf8("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")});
    font.setPixelSize(pixel_height);
    return font;
}

void Colour(QWidget* widget, QPalette::ColorRole background, const QColor& back,
            QPalette::ColorRole foreground, const QColor& fore) {
    QPalette palette = widget->palette();
    palette.setColor(background, back);
    palette.setColor(foreground, fore);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* MakeLabel(QWidget* parent, const char* text, const QRect& place) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(place);
    label->setFont(FormFont(layout::kLabelFontPixels));
    Colour(label, QPalette::Window, layout::kLabelColour, QPalette::WindowText, Qt::white);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* text, const QRect& place, bool visible) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setGeometry(place);
    button->setFont(FormFont(layout::kButtonFontPixels));
    button->setAutoDefault(false);
    button->setVisible(visible);
    return button;
}

}  // namespace

TForm1::TForm1(FormServices services, QWidget* parent)
    : QWidget(parent),
      program_folder_(std::move(services.program_folder)),
      clipboard_(std::move(services.clipboard)),
      report_(std::move(services.report)),
      TextToSpeech1(std::move(services.speech)) {
    if (!clipboard_) {
        clipboard_ = std::make_unique<DesktopClipboard>();
    }
    if (!report_) {
        report_ = [this](const std::string& message) { ShowFailureBox(this, message); };
    }
    CreateControls();
    ConnectSpeechControl();
    ConnectHandlers();
    Timer1->start();
    Dispatch(&TForm1::FormCreate);
}

TForm1::~TForm1() {
    // While the window is still whole: the control may wait for its engine to finish a word,
    // and what is dispatched meanwhile must not run on a window being destroyed.
    handling_ = true;
    TextToSpeech1.reset();
}

void TForm1::CreateControls() {
    Colour(this, QPalette::Window, layout::kWindowColour, QPalette::WindowText, Qt::white);
    setWindowTitle(QString());

    Button1 = MakeButton(this, "↑", layout::kButton1, false);
    Button2 = MakeButton(this, "↓", layout::kButton2, false);
    Button3 = MakeButton(this, "再設定", layout::kButton3, true);
    Button4 = MakeButton(this, "OK", layout::kButton4, false);

    Edit0 = new QLineEdit(this);
    Edit0->setGeometry(layout::kEdit0);
    Edit0->setFrame(false);
    Edit0->setFont(FormFont(layout::kEditFontPixels));
    Edit0->setAttribute(Qt::WA_InputMethodEnabled, false);
    Colour(Edit0, QPalette::Base, layout::kLabelColour, QPalette::Text, Qt::black);

    Label1 = MakeLabel(this, "255", layout::kLabel1);
    Label2 = MakeLabel(this, "を超えた場合は無視", layout::kLabel2);
    Label3 = MakeLabel(this, "コピーされた文字数が", layout::kLabel3);
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setGeometry(layout::kMemo1);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setFont(FormFont(layout::kMemoFontPixels));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Colour(Memo1, QPalette::Base, Qt::white, QPalette::Text, Qt::black);

    setMinimumSize(layout::kMinimumOuterSize);
    SetOuterBounds(layout::kDesignedOuterBounds);

    Timer1 = new QTimer(this);
    Timer1->setInterval(layout::kWatchIntervalMs);

    const int first_button = layout::FirstButtonTabOrder(TextToSpeech1 != nullptr);
    const std::map<int, QWidget*> tab_chain = {
        {layout::kEdit0TabOrder, Edit0}, {layout::kMemo1TabOrder, Memo1},
        {first_button, Button1},         {first_button + 1, Button2},
        {first_button + 2, Button3},     {first_button + 3, Button4},
    };
    QWidget* previous = nullptr;
    for (const auto& [order, widget] : tab_chain) {
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
    Edit0->setFocus();
}

void TForm1::Dispatch(Handler handler) noexcept {
    if (handling_) {
        try {
            deferred_.push_back(handler);
        } catch (...) {
            // Out of memory: the event is lost, as one the system could not deliver.
        }
        return;
    }
    handling_ = true;
    for (;;) {
        RunReported(report_, [this, handler] { (this->*handler)(); });
        if (deferred_.empty()) {
            break;
        }
        handler = deferred_.front();
        deferred_.pop_front();
    }
    handling_ = false;
}

void TForm1::ConnectHandlers() {
    connect(Button1, &QPushButton::clicked, this, [this] { Dispatch(&TForm1::Button1Click); });
    connect(Button2, &QPushButton::clicked, this, [this] { Dispatch(&TForm1::Button2Click); });
    connect(Button3, &QPushButton::clicked, this, [this] { Dispatch(&TForm1::Button3Click); });
    connect(Button4, &QPushButton::clicked, this, [this] { Dispatch(&TForm1::Button4Click); });
    connect(Timer1, &QTimer::timeout, this, [this] { Dispatch(&TForm1::Timer1Timer); });
}

void TForm1::ShowSetUpButtons(bool set_up) {
    Button1->setVisible(set_up);
    Button2->setVisible(set_up);
    Button3->setVisible(!set_up);
    Button4->setVisible(set_up);
}

void TForm1::StepLimit(bool up) {
    constexpr int kLowestButtonLimit = 1;
    Label1->setText(QString::fromStdString(
        StepNumberText(Label1->text().toStdString(), up, 1, kLowestButtonLimit, kLargestLimit)));
    Edit0->setFocus();
}

void TForm1::Button1Click() {
    StepLimit(true);
}

void TForm1::Button2Click() {
    StepLimit(false);
}

void TForm1::Button3Click() {
    Timer1->stop();
    Edit0->setFocus();
    ShowSetUpButtons(true);
    setWindowTitle(QString::fromUtf8("監視タイマーは休止中"));
    Memo1->setPlainText(QString::fromUtf8("OK押すまでは何もしないよ"));
}

void TForm1::Button4Click() {
    Edit0->setFocus();
    ShowSetUpButtons(false);
    Timer1->start();
    setWindowTitle(QString());
    Memo1->setPlainText(QString());
}

void TForm1::FormCreate() {
    LastLookedUpText.clear();
    LoadWindowPlacement();
    PollClipboard(false);
}

void TForm1::FormResize() {
    const QSize outer = OuterBounds().size();
    Memo1->setGeometry(layout::kMemo1.left(), layout::kMemo1.top(),
                       std::max(0, outer.width() - layout::kMemoWidthMargin),
                       std::max(0, outer.height() - layout::kMemoHeightMargin));
}

void TForm1::FormClose() {
    // The speech stops also when the placement cannot be saved; that failure is still reported.
    const auto stop_speech = qScopeGuard([this] { StopSpeaking(); });
    SaveWindowPlacement();
}

void TForm1::closeEvent(QCloseEvent* event) {
    Dispatch(&TForm1::FormClose);
    event->accept();
}

void TForm1::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    ApplyPendingOuterSize();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ApplyPendingOuterSize();
    Dispatch(&TForm1::FormResize);
}

void TForm1::SetCaption(const std::string& text) {
    // "[*][*]" is Qt's way of writing a "[*]" that stays.
    setWindowTitle(
        QString::fromStdString(text).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
}

}  // namespace quorvantix
