// The placement file of TForm1: its outer bounds and the copy length limit between runs.
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <climits>

#include "app/FormLayout.h"
#include "app/PlacementText.h"
#include "app/TForm1.h"
#include "app/TextFile.h"

namespace quorvantix {

namespace {

QSize WorkAreaSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return QSize(INT_MAX, INT_MAX);
    }
    return screen->availableGeometry().size();
}

}  // namespace

void TForm1::LoadWindowPlacement() {
    const QSize work_area = WorkAreaSize();
    const PlacementBounds bounds{layout::kMinimumOuterSize.width(),
                                 layout::kMinimumOuterSize.height(), work_area.width(),
                                 work_area.height()};
    const WindowPlacement placement =
        ClampPlacement(ReadPlacement(ReadTextFile(program_folder_ + kPlacementFileName)), bounds);
    SetOuterBounds(QRect(placement.left, placement.top, placement.width, placement.height));
    Label1->setText(QString::number(placement.limit));
}

void TForm1::SaveWindowPlacement() {
    const QRect outer = OuterBounds();
    ReplaceFileContent(program_folder_ + kPlacementFileName,
                       PlacementText(outer.left(), outer.top(), outer.width(), outer.height(),
                                     Label1->text().toStdString()));
}

QRect TForm1::OuterBounds() const {
    return frameGeometry();
}

QSize TForm1::FrameSize() const {
    return frameGeometry().size() - geometry().size();
}

// Qt places a top-level window's frame with move(), but sizes only its client area; the
// frame is added here once the window manager has made it, so that a saved size comes back
// the same instead of growing by the frame at every run.
void TForm1::SetOuterBounds(const QRect& bounds) {
    move(bounds.topLeft());
    ResizeOuter(bounds.size());
    if (FrameSize().isNull()) {
        pending_outer_size_ = bounds.size();
    }
}

void TForm1::ResizeOuter(QSize outer) {
    const QSize frame = FrameSize();
    setMinimumSize(layout::kMinimumOuterSize - frame);
    resize(outer - frame);
}

void TForm1::ApplyPendingOuterSize() {
    if (!pending_outer_size_ || FrameSize().isNull() ||
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        return;
    }
    const QSize outer = *pending_outer_size_;
    pending_outer_size_.reset();
    ResizeOuter(outer);
}

}  // namespace quorvantix
