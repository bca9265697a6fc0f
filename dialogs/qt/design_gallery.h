#pragma once

#include <QListWidget>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/design_chooser_model.h"
#include "render/card_image.h"
#include "store/label_sizes.h"

class QLabel;

// The designs side by side, each as a tag drawn by the renderer with its name below, at the
// proportions of the label size the designs are scaled to.
class DesignGallery : public QListWidget {
public:
    // label: the label size (hundredths of an inch) the tags are drawn at.
    DesignGallery(const LabelExtent& label, QWidget* parent);

    // The chosen design's description under a chooser's gallery.
    static QLabel* DescriptionLabel(QWidget* parent);
    // A row the user picks that is not selected() goes to pick; a double click to chosen.
    void OnPick(const std::function<int()>& selected, std::function<void(int)> pick,
                std::function<void()> chosen);
    // Draws every row's tag from the record file previewFsPath gives for it, when the rows'
    // version is not the one drawn last; then selects row `selected` (-1 for none) without
    // telling anyone.
    void Show(const std::vector<DesignRow>& rows, int version, int selected,
              const std::function<const std::string&(int)>& previewFsPath);

private:
    void DrawRows(const std::vector<DesignRow>& rows, const std::function<const std::string&(int)>& previewFsPath);

    QSize tagSize_;
    int shownVersion_ = -1;
    CardImageCache images_;
};
