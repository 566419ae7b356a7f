#pragma once
// Whether a window is shown, and the requests to bring it to the front.

namespace condsim {

struct WindowState {
    bool visible = false;
    unsigned long long raiseRequests = 0;  // grows each time the window is brought to the front

    void show() { visible = true; }
    void showAndRaise() {
        visible = true;
        ++raiseRequests;
    }
    void hide() { visible = false; }
};

}  // namespace condsim
