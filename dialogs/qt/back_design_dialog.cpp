#include "dialogs/qt/back_design_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/qt/design_gallery.h"
#include "store/label_sizes.h"

CBackDesignDlg::CBackDesignDlg(const designs::DesignLibrary& library, const SettingsProfile& settings,
                               DesignTarget target, QWidget* parent)
    : ModelDialog(parent), platform_(this), model_(library, settings, std::move(target), platform_) {
    setWindowTitle(QStringLiteral("裏面のデザイン"));
    list_ = new DesignGallery(LabelSize(settings, model_.Slot()), this);
    list_->OnPick([this] { return model_.selected; }, [this](int row) { Run([this, row] { model_.OnSelect(row); }); },
                  [this] { accept(); });
    description_ = DesignGallery::DescriptionLabel(this);
    auto* bottom = new QHBoxLayout;
    QWidget* buttons = OkCancel();
    ok_ = buttons->findChild<QPushButton*>(QStringLiteral("ok"));
    bottom->addWidget(description_, 1);
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(bottom);

    model_.OnOpen();
    ShowFields();
}

void CBackDesignDlg::accept() {
    if (model_.OnOk()) QDialog::accept();
    ShowFields();
}

void CBackDesignDlg::ShowFields() {
    list_->Show(model_.rows, model_.listVersion, model_.selected,
                [this](int row) -> const std::string& { return model_.PreviewFsPath(row); });
    description_->setText(QString::fromStdString(model_.description));
    ok_->setEnabled(model_.okEnabled);
}

bool RunBackDesignChooser(QWidget* parent, const SettingsProfile& settings, DesignTarget target) {
    const designs::DesignLibrary library = designs::DesignLibrary::Installed();
    CBackDesignDlg dialog(library, settings, std::move(target), parent);
    return dialog.exec() == QDialog::Accepted;
}
