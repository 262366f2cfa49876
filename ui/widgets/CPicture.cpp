#include "ui/widgets/CPicture.h"

#include <QByteArray>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>
#include <QRect>
#include <QResource>

#include <cstdint>
#include <limits>

#include "platform/DesktopServices.h"

namespace korvane {

namespace {

constexpr int kScreenDpi = 96;
constexpr int kHimetricPerInch = 2540;

// a * b / c rounded to the nearest integer, without overflow on the way.
int MulDiv(int a, int b, int c) {
    if (c == 0)
        return 0;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = (product >= 0) == (c > 0) ? c / 2 : -c / 2;
    return static_cast<int>((product + half) / c);
}

bool CanDecodeGif() {
    static const bool supported = QImageReader::supportedImageFormats().contains("gif");
    return supported;
}

}  // namespace

CPicture::CPicture(DesktopServices& services, QWidget* messageOwner)
    : services_(services), messageOwner_(messageOwner) {}

CPicture::~CPicture() {
    Free();
}

void CPicture::Free() {
    picture_ = QImage();
    sharp_ = QImage();
    height_ = 0;
    size_ = 0;
    width_ = 0;
}

void CPicture::ShowError(const char* message) const {
    services_.messageBox(messageOwner_, QStringLiteral("CPicture Error"),
                         QString::fromLatin1(message), MessageIcon::Stop, MessageButtons::Ok);
}

int CPicture::HimetricWidth() const {
    return MulDiv(picture_.width(), kHimetricPerInch, kScreenDpi);
}

int CPicture::HimetricHeight() const {
    return MulDiv(picture_.height(), kHimetricPerInch, kScreenDpi);
}

bool CPicture::LoadFromResource(const QString& name, const QString& type) {
    Free();
    const QResource resource(QStringLiteral(":/%1/%2").arg(type, name));
    if (!resource.isValid()) {
        ShowError("FindResource() Failed\t");
        return false;
    }
    const QByteArray data = resource.uncompressedData();
    if (data.isEmpty()) {
        ShowError("LoadResource() Failed\t");
        return false;
    }
    const bool loaded = LoadFromMemory(data.constData(), static_cast<std::size_t>(data.size()));
    size_ = static_cast<std::size_t>(data.size());
    if (!IsLoaded()) {
        height_ = 0;
        width_ = 0;
        return false;
    }
    height_ = MulDiv(HimetricHeight(), kScreenDpi, kHimetricPerInch);
    width_ = MulDiv(HimetricWidth(), kScreenDpi, kHimetricPerInch);
    LoadSharpVariant(resource.absoluteFilePath());
    return loaded;
}

// Optional: without it, or with one of another size, the picture is stretched as before.
void CPicture::LoadSharpVariant(const QString& resourcePath) {
    const QResource resource(resourcePath + QStringLiteral("@2x"));
    if (!resource.isValid())
        return;
    QImage image;
    if (!image.loadFromData(resource.uncompressedData()) || image.size() != picture_.size() * 2) {
        return;
    }
    image.setDevicePixelRatio(2.0);
    sharp_ = std::move(image);
}

bool CPicture::LoadFromMemory(const void* bytes, std::size_t size) {
    // A failed load must not leave the previous picture to be drawn as if it were the new one.
    Free();
    if (bytes == nullptr || size > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        ShowError("Can not allocate enough memory\t");
        return false;
    }
    if (!CanDecodeGif()) {
        ShowError("IPicture interface is not supported\t");
        return false;
    }
    // Data that does not decode leaves the holder empty; it is reported as a failure rather
    // than as a loaded picture that cannot be drawn.
    const QByteArray copy(static_cast<const char*>(bytes), static_cast<qsizetype>(size));
    QImage image;
    if (!image.loadFromData(copy))
        return false;
    picture_ = std::move(image);
    return true;
}

bool CPicture::MeasureOnDevice(const QPaintDevice* device) {
    if (device == nullptr || !IsLoaded()) {
        height_ = 0;
        width_ = 0;
        return false;
    }
    const bool printer = device->devType() == QInternal::Printer;
    const int dpiY = printer ? kScreenDpi : device->logicalDpiY();
    const int dpiX = printer ? kScreenDpi : device->logicalDpiX();
    height_ = MulDiv(HimetricHeight(), dpiY, kHimetricPerInch);
    width_ = MulDiv(HimetricWidth(), dpiX, kHimetricPerInch);
    return true;
}

bool CPicture::Draw(QPainter* painter, const QRect& rect) const {
    if (painter == nullptr || !painter->isActive() || !IsLoaded())
        return false;
    const QPaintDevice* device = painter->device();
    const bool dense = device != nullptr && device->devicePixelRatioF() > 1.0;
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(rect, dense && !sharp_.isNull() ? sharp_ : picture_);
    painter->restore();
    return true;
}

}  // namespace korvane
