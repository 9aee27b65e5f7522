// What the shots tool does with the windows: lets them settle, takes their pictures, types
// into their fields and answers their message boxes as an author would.
#pragma once

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

namespace dravenloom::shots {

// Lets the event loop run for a while, so that windows are laid out, painted and loaded.
inline void Settle(int milliseconds = 150) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

class Camera {
public:
    explicit Camera(const QString& directory) : Directory(directory) { QDir().mkpath(Directory); }

    bool Shoot(QWidget* window, const QString& name) {
        window->show();
        window->raise();
        Settle();
        const QString path = Directory + QLatin1Char('/') + name + QStringLiteral(".png");
        const bool saved = window->grab().save(path);
        QTextStream(stdout) << (saved ? "saved " : "FAILED ") << path << Qt::endl;
        Failures += saved ? 0 : 1;
        return saved;
    }

    // The whole screen, for windows whose place on it is the point of the picture.
    bool ShootScreen(const QString& name) {
        Settle();
        QScreen* screen = QGuiApplication::primaryScreen();
        const QString path = Directory + QLatin1Char('/') + name + QStringLiteral(".png");
        const bool saved = screen && screen->grabWindow(0).save(path);
        QTextStream(stdout) << (saved ? "saved " : "FAILED ") << path << Qt::endl;
        Failures += saved ? 0 : 1;
        return saved;
    }

    // A window with one of its menus open over it, as the author sees it.
    bool ShootWithPopup(QWidget* window, QWidget* popup, const QString& name) {
        Settle();
        QPixmap picture = window->grab();
        {
            QPainter painter(&picture);
            painter.drawPixmap(popup->mapToGlobal(QPoint(0, 0)) - window->mapToGlobal(QPoint(0, 0)),
                               popup->grab());
        }
        const QString path = Directory + QLatin1Char('/') + name + QStringLiteral(".png");
        const bool saved = picture.save(path);
        QTextStream(stdout) << (saved ? "saved " : "FAILED ") << path << Qt::endl;
        Failures += saved ? 0 : 1;
        return saved;
    }

    // A picture that could not be taken, and why.
    void Missed(const QString& name, const QString& why) {
        QTextStream(stdout) << "FAILED " << name << " (" << why << ")" << Qt::endl;
        ++Failures;
    }

    int Failures = 0;

private:
    QString Directory;
};

// What the author's typing does: the text goes in as an edit of the field.
inline void Type(QPlainTextEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    field->insertPlainText(text);
}

inline void Type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    field->insert(text);
}

// Presses `answer` (or OK where the box has no such button) on each message box that opens in
// the next moments: the questions "List Files" and "Upload" ask.
inline void AnswerBoxes(QObject* context, QMessageBox::StandardButton answer, int times) {
    for (int i = 1; i <= times; ++i)
        QTimer::singleShot(300 * i, context, [answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            QAbstractButton* button = box->button(answer);
            if (!button)
                button = box->button(QMessageBox::Ok);
            if (button)
                button->click();
        });
}

} // namespace dravenloom::shots
