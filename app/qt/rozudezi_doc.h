#pragma once

#include <QObject>

// The document of the single-document window. The program keeps no document in memory: every
// value is read from the profile files when it is needed and written back at once. What is
// left is the document's one duty, to tell its views that stored data changed.
class CRozudeziDoc : public QObject {
    Q_OBJECT

public:
    void UpdateAllViews() { emit ViewsNeedUpdate(); }

signals:
    void ViewsNeedUpdate();
};
