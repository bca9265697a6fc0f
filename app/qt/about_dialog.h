#pragma once

#include <QDialog>

// The About box: the program's name, version and copyright.
class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
