#pragma once

#include <QObject>

// The document of the single-document window. The program keeps no document in memory: every
// value is read from the profile files when it is needed and written back at once. The
// application owns one for the window's lifetime, as the single-document structure has it.
class CRozudeziDoc : public QObject {
    Q_OBJECT
};
