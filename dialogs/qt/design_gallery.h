#pragma once

#include <QListWidget>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/design_chooser_model.h"
#include "render/card_image.h"
#include "store/label_sizes.h"

// The designs side by side, each as a tag drawn by the renderer with its name below, at the
// proportions of the label size the designs are scaled to.
class DesignGallery : public QListWidget {
public:
    // label: the label size (hundredths of an inch) the tags are drawn at.
    DesignGallery(const LabelExtent& label, QWidget* parent);

    // Draws every row's tag from the record file previewFsPath gives for it.
    void ShowDesigns(const std::vector<DesignRow>& rows, const std::function<const std::string&(int)>& previewFsPath);
    // Selects row (-1 for none) without telling anyone.
    void ShowSelected(int row);

private:
    QSize tagSize_;
    CardImageCache images_;
};
