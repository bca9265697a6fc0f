#include "dialogs/qt/design_gallery.h"

#include <QIcon>
#include <QLabel>
#include <QPainter>

#include <algorithm>

#include "dialogs/qt/card_preview_widget.h"

namespace {

// The width of each tag, in pixels; the height follows the label size.
constexpr int kTagWidth = 180;

}  // namespace

DesignGallery::DesignGallery(const LabelExtent& label, QWidget* parent)
    : QListWidget(parent),
      tagSize_(kTagWidth, label.width > 0 ? std::max(1, kTagWidth * label.height / label.width) : kTagWidth * 3 / 5) {
    setObjectName(QStringLiteral("designs"));
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setWordWrap(true);
    setSpacing(8);
    setIconSize(tagSize_);
    setMinimumSize(4 * (kTagWidth + 28) + 24, 3 * (tagSize_.height() + 56));
}

QLabel* DesignGallery::DescriptionLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("description"));
    label->setWordWrap(true);
    return label;
}

void DesignGallery::OnPick(const std::function<int()>& selected, std::function<void(int)> pick,
                           std::function<void()> chosen) {
    connect(this, &QListWidget::currentRowChanged, this, [selected, pick = std::move(pick)](int row) {
        if (row != selected()) pick(row);
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [chosen = std::move(chosen)] { chosen(); });
}

void DesignGallery::Show(const std::vector<DesignRow>& rows, int version, int selected,
                         const std::function<const std::string&(int)>& previewFsPath) {
    const QSignalBlocker block(this);
    if (version != shownVersion_) {
        shownVersion_ = version;
        DrawRows(rows, previewFsPath);
    }
    if (currentRow() != selected) setCurrentRow(selected);
}

void DesignGallery::DrawRows(const std::vector<DesignRow>& rows,
                             const std::function<const std::string&(int)>& previewFsPath) {
    clear();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        QImage tag = CardPreviewImage(previewFsPath(static_cast<int>(row)), tagSize_, images_);
        // A white tag needs an edge on the white list.
        QPainter edge(&tag);
        edge.setPen(Qt::gray);
        edge.drawRect(tag.rect().adjusted(0, 0, -1, -1));
        edge.end();
        auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(tag)), QString::fromStdString(rows[row].name), this);
        item->setToolTip(QString::fromStdString(rows[row].description));
        item->setSizeHint(QSize(kTagWidth + 16, tagSize_.height() + 44));
    }
}
