// The fluent driver: each call queues one user action for the modal loop to take when it is
// idle. The same on both window systems; what an action sends is theirs.
#include "platform/headless/driver.h"

#include <utility>

#include "platform/win/controls.h"
#include "platform/win/message_box.h"
#include "platform/win/window.h"

namespace win::headless {

Driver& Driver::Queue(std::function<bool(HWND dialog, std::string& error)> action) {
    QueueInput([failures = failures_, action = std::move(action)] {
        HWND dialog = ActiveDialog();
        std::string error = "no dialog is open";
        if (dialog == nullptr || !action(dialog, error)) {
            failures->push_back(error);
        }
    });
    return *this;
}

Driver& Driver::Click(int controlId) {
    return Queue([=](HWND dialog, std::string& error) {
        return UserActions::Click(dialog, controlId, error);
    });
}

Driver& Driver::Type(int controlId, const std::u16string& text) {
    return Queue([=](HWND dialog, std::string& error) {
        return UserActions::Type(dialog, controlId, text, error);
    });
}

Driver& Driver::TickRow(int listId, int row, bool ticked) {
    return Queue([=](HWND dialog, std::string& error) {
        return UserActions::TickRow(dialog, listId, row, ticked, error);
    });
}

Driver& Driver::SelectRows(int listId, std::vector<int> rows) {
    return Queue([=](HWND dialog, std::string& error) {
        return UserActions::SelectRows(dialog, listId, rows, error);
    });
}

Driver& Driver::DoubleClickRow(int listId, int row) {
    return Queue([=](HWND dialog, std::string& error) {
        return UserActions::DoubleClickRow(dialog, listId, row, error);
    });
}

Driver& Driver::HoverRow(int listId, int row) {
    return Queue([=](HWND dialog, std::string& error) {
        return UserActions::HoverRow(dialog, listId, row, error);
    });
}

Driver& Driver::PickComboItem(int controlId, int index) {
    return Queue([=](HWND dialog, std::string& error) {
        return UserActions::PickComboItem(dialog, controlId, index, error);
    });
}

Driver& Driver::Spin(int controlId, int delta) {
    return Queue([=](HWND dialog, std::string& error) {
        return UserActions::Spin(dialog, controlId, delta, error);
    });
}

Driver& Driver::PressEnter() {
    return Queue(
        [](HWND dialog, std::string& error) { return UserActions::PressEnter(dialog, error); });
}

Driver& Driver::Close() {
    return Queue([](HWND dialog, std::string& error) { return UserActions::Close(dialog, error); });
}

Driver& Driver::Command(int commandId) {
    return Queue([=](HWND dialog, std::string& error) {
        return UserActions::Command(dialog, commandId, error);
    });
}

Driver& Driver::AnswerNextBox(int answer) {
    QueueInput([answer] { QueueMessageBoxAnswer(answer); });
    return *this;
}

Driver& Driver::Wait(std::function<bool()> done, std::chrono::milliseconds patience) {
    QueueInput([failures = failures_, done = std::move(done), patience] {
        if (!WaitUntil(done, patience)) {
            failures->push_back("waited in vain");
        }
    });
    return *this;
}

Driver& Driver::Do(std::function<void(HWND dialog)> action) {
    QueueInput([action = std::move(action)] { action(ActiveDialog()); });
    return *this;
}

int FindListViewRow(HWND dialog, int listId, const std::u16string& text) {
    HWND listView = win::GetDlgItem(dialog, listId);
    const int count = win::GetListViewItemCount(listView);
    for (int row = 0; row < count; ++row) {
        if (win::GetListViewItemText(listView, row, 0, 1 << 16) == text) {
            return row;
        }
    }
    return -1;
}

}  // namespace win::headless
