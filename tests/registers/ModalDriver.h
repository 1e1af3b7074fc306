// Drives modal dialogs from a timer while the code under test is blocked in
// their event loop: each step waits until its condition holds, then acts.
// If a step never becomes ready, every modal window is closed so the test
// ends instead of hanging, and Finished() reports false.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <string>

class ModalDriver {
public:
    ModalDriver() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start();
    }

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

    bool Finished() const { return steps_.empty() && !timedOut_; }
    const QStringList& Questions() const { return questions_; }

private:
    struct Step {
        std::function<bool()> ready;
        std::function<void()> act;
    };

    void Tick() {
        if (steps_.empty() || running_) {
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

    QTimer timer_;
    std::deque<Step> steps_;
    QStringList questions_;
    int ticks_ = 0;
    bool running_ = false;
    bool timedOut_ = false;
};
