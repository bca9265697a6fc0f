#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "dialogs/list_import_model.h"

class ModelDialog;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

// The parts of a list import as widgets of their own, shared by "差し込み印刷設定" and the
// steps of 名簿から作成. Their events go through the dialog's Run.

// The list file and what was read from it: the path with 参照, the format, the encoding, the
// worksheet and whether the first row is a header.
class ListFileBox : public QWidget {
public:
    // browse and pathEntered: what 参照 and a typed path run (the dialog may do more than the
    // import's own handlers).
    ListFileBox(ListImportModel& model, ModelDialog& dialog, std::function<void()> browse,
                std::function<void()> pathEntered);

    void TakeFields();
    void ShowFields();

private:
    QComboBox* Combo(const char* name, void (ListImportModel::*handler)());

    ListImportModel& model_;
    ModelDialog& dialog_;
    QLineEdit* path_ = nullptr;
    QLabel* format_ = nullptr;
    QComboBox* encoding_ = nullptr;
    QComboBox* sheet_ = nullptr;
    QCheckBox* header_ = nullptr;
    bool showing_ = false;  // fields are being shown: control signals are not events
};

// One choice per column above a preview of the first rows, and the kana of the readings.
class ColumnMappingBox : public QWidget {
public:
    ColumnMappingBox(ListImportModel& model, ModelDialog& dialog);

    void TakeFields();
    void ShowFields();

private:
    void ShowTable();

    ListImportModel& model_;
    ModelDialog& dialog_;
    QTableWidget* table_ = nullptr;
    std::vector<QComboBox*> columns_;
    QComboBox* kana_ = nullptr;
    bool showing_ = false;
};
