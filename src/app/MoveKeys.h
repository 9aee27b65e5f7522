// The keys of the moves between records, shared by the "&Edit" menu and the hints of the Edit
// View's buttons that they press.
#pragma once

#include <QKeySequence>
#include <QString>

namespace dravenloom {

inline QKeySequence GoToRecordKey() {
    return QKeySequence(Qt::CTRL | Qt::Key_G);
}
inline QKeySequence PreviousRecordKey() {
    return QKeySequence(Qt::CTRL | Qt::Key_PageUp);
}
inline QKeySequence NextRecordKey() {
    return QKeySequence(Qt::CTRL | Qt::Key_PageDown);
}
inline QKeySequence GoBackKey() {
    return QKeySequence(Qt::ALT | Qt::Key_Left);
}

// A button's hint, kept word for word, with its key on a line of its own after it.
inline QString HintWithKey(const QString& hint, const QKeySequence& key) {
    return hint + QLatin1Char('\n') + key.toString(QKeySequence::NativeText);
}

} // namespace dravenloom
