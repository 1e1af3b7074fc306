// A dialog made on first use. The window's file dialogs cost more at
// start-up than the rest of the window together (their icons and the
// file-system model), the About box lays out its texts in fonts nothing
// else uses, and most runs open none of them. Once made, the dialog is
// kept, so the filter, default extension and folder of a file dialog's
// last use stay as they were.
#pragma once

#include <QFileDialog>
#include <QPointer>
#include <functional>

template <typename Dialog> class LazyDialog {
public:
    using Setup = std::function<void(Dialog*)>;

    LazyDialog() = default;
    LazyDialog(QWidget* parent, Setup setup = {}) : parent_(parent), setup_(std::move(setup)) {}

    Dialog* get() {
        if (dialog_.isNull()) {
            dialog_ = new Dialog(parent_);
            if (setup_) {
                setup_(dialog_);
            }
        }
        return dialog_;
    }
    Dialog* operator->() { return get(); }
    operator Dialog*() { return get(); }

    bool Created() const { return !dialog_.isNull(); }
    // The dialog when it exists, without making it.
    Dialog* IfCreated() const { return dialog_; }

private:
    QWidget* parent_ = nullptr;
    Setup setup_;
    QPointer<Dialog> dialog_;
};

using LazyFileDialog = LazyDialog<QFileDialog>;
