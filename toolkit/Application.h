#pragma once
// The application object: message loop, main form, title, the current hint and its change event,
// the error box for exceptions that escape an event handler, ProcessMessages and the screen cursor.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace toolkit {

class Form;

class Application {
public:
    static Application& Instance();

    // Loads the common controls and takes the title from the executable's name.
    void Initialize();
    // The executable's name without folder and extension, the first character kept and the rest
    // in lower case (PICTAVO.EXE gives Pictavo).
    const std::string& Title() const { return title_; }

    // The first form registered becomes the main form; closing it ends Run.
    void RegisterForm(Form& form);
    Form* MainForm() const { return mainForm_; }
    // A destroyed form is forgotten (the next form registered may become the main form).
    void UnregisterForm(Form& form);
    void Run();
    // Lets pending messages run, then returns.
    void ProcessMessages();
    // Handles one message from the queue the way the loops here do (dialog keys, hints).
    void HandleMessageFromQueue(MSG& message);

    // The hint of the control under the pointer; OnHint runs when it changes.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    std::function<void()> OnHint;

    // Shows an exception's text in the error box; the program goes on.
    void HandleException(const std::exception& error);
    // Replaces the error box (tests record the errors instead of showing them).
    std::function<void(const std::string&)> OnException;

    // A cursor shown over every window of the program, or nullptr for each window's own.
    HCURSOR ScreenCursor() const { return screenCursor_; }
    void SetScreenCursor(HCURSOR cursor);

    bool Terminated() const { return terminated_; }
    // Ends Run once the current message is handled (closing the main form does this).
    void Terminate();

private:
    Application() = default;
    void UpdateHintFromPointer();

    std::string title_;
    std::string hint_;
    Form* mainForm_ = nullptr;
    HCURSOR screenCursor_ = nullptr;
    bool terminated_ = false;
};

// Shows a cursor over the whole program for its lifetime (nullptr: the normal one), then brings
// back the cursor that was shown before, however the scope ends.
class ScreenCursorScope {
public:
    explicit ScreenCursorScope(HCURSOR cursor);
    ~ScreenCursorScope();
    ScreenCursorScope(const ScreenCursorScope&) = delete;
    ScreenCursorScope& operator=(const ScreenCursorScope&) = delete;

private:
    HCURSOR previous_;
};

// The hourglass, while the program works and does not answer.
class HourglassCursor : public ScreenCursorScope {
public:
    HourglassCursor();
};

// The normal cursor inside such work, while a question waits for the user.
class NormalCursor : public ScreenCursorScope {
public:
    NormalCursor() : ScreenCursorScope(nullptr) {}
};

}  // namespace toolkit
