// Drives modal windows from a timer while the code under test is blocked in
// their event loop. Steps wait until their condition holds, then act; when
// no step waits, a standing rule may answer every question box or reject
// every window no step expected. If a step never becomes ready, every modal
// window is closed so the test ends instead of hanging, and Finished()
// reports false.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <string>
#include <vector>

// A question box seen by the driver.
struct SeenBox {
    QString title;
    QString text;
};

class ModalDriver {
public:
    ModalDriver() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start();
    }
    virtual ~ModalDriver() = default;

    // Runs `act` on the active modal window once it is a D and `ready` holds,
    // after making it the active window.
    template <class D>
    void On(std::function<void(D&)> act, std::function<bool(D&)> ready = nullptr) {
        steps_.push_back({[ready]() -> bool {
                              auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
                              return d != nullptr && (!ready || ready(*d));
                          },
                          [act] {
                              auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
                              // A user works in the window that has the focus;
                              // activations still queued are let through first.
                              QTest::qWait(20);
                              if (!d->isActiveWindow()) {
                                  d->activateWindow();
                                  if (!QTest::qWaitForWindowActive(d)) {
                                      qWarning("a modal window did not become active");
                                  }
                              }
                              act(*d);
                          }});
    }

    // Answers the next question box with `button`, recording its text.
    void Answer(QMessageBox::StandardButton button) {
        On<QMessageBox>([this, button](QMessageBox& box) {
            questions_.push_back(box.text());
            box.button(button)->click();
        });
    }

    // Closes the active modal window once it is a D and `ready` holds.
    template <class D> void Close(std::function<bool(D&)> ready = nullptr) {
        On<D>([](D& d) { d.close(); }, ready);
    }

    // Hands the next modal window, whatever its kind, to `handler`; a dialog
    // the handler leaves open is rejected.
    void Then(std::function<void(QWidget*)> handler) {
        On<QWidget>([this, handler](QWidget& window) {
            ++handled_;
            handler(&window);
            auto* dialog = qobject_cast<QDialog*>(&window);
            if (dialog != nullptr && dialog->isVisible()) {
                dialog->reject();
            }
        });
    }

    // Standing rules, used while no step waits: every question box is
    // answered with the button of that text (its default button when none
    // has it) and recorded; or every modal window is rejected and counted.
    void AnswerEveryBox(QString buttonText) {
        answerEvery_ = true;
        buttonText_ = std::move(buttonText);
    }
    void RejectUnexpected() { rejectUnexpected_ = true; }

    bool Finished() const { return steps_.empty() && !timedOut_; }
    const QStringList& Questions() const { return questions_; }
    const std::vector<SeenBox>& Seen() const { return seen_; }
    int Handled() const { return handled_; }
    int Unexpected() const { return unexpected_; }

private:
    struct Step {
        std::function<bool()> ready;
        std::function<void()> act;
    };

    void Tick() {
        if (running_) {
            return;
        }
        if (steps_.empty()) {
            Standing();
            return;
        }
        if (++ticks_ > 1000) { // 10 s
            timedOut_ = true;
            while (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
                if (QApplication::activeModalWidget() == modal) {
                    modal->hide();
                }
            }
            return;
        }
        if (!steps_.front().ready()) {
            return;
        }
        Step step = steps_.front();
        steps_.pop_front();
        ticks_ = 0;
        running_ = true;
        step.act();
        running_ = false;
    }

    void Standing() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal); box != nullptr && answerEvery_) {
            seen_.push_back({box->windowTitle(), box->text()});
            QAbstractButton* button = nullptr;
            for (QAbstractButton* b : box->buttons()) {
                if (!buttonText_.isEmpty() && b->text().remove('&') == buttonText_) {
                    button = b;
                }
            }
            if (button == nullptr) {
                button = box->defaultButton() ? static_cast<QAbstractButton*>(box->defaultButton())
                                              : box->buttons().value(0);
            }
            running_ = true;
            if (button != nullptr) {
                button->click();
            } else {
                box->reject();
            }
            running_ = false;
            return;
        }
        if (rejectUnexpected_) {
            ++unexpected_;
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            } else {
                modal->close();
            }
        }
    }

    QTimer timer_;
    std::deque<Step> steps_;
    QStringList questions_;
    std::vector<SeenBox> seen_;
    QString buttonText_;
    bool answerEvery_ = false;
    bool rejectUnexpected_ = false;
    int handled_ = 0;
    int unexpected_ = 0;
    int ticks_ = 0;
    bool running_ = false;
    bool timedOut_ = false;
};

// Answers every question box with the button of `buttonText` (the default
// button when empty), recording each one.
class ModalAnswerer : public ModalDriver {
public:
    explicit ModalAnswerer(QString buttonText = QString()) {
        AnswerEveryBox(std::move(buttonText));
    }
};

// Hands each modal window to the next handler in line (Then); a window no
// handler expected is rejected and counted, so that a test never hangs.
class ModalHandlers : public ModalDriver {
public:
    ModalHandlers() { RejectUnexpected(); }
};
