// The application object: the program's forms, its message loop and its error report.
#pragma once

#include <exception>
#include <string>
#include <type_traits>
#include <vector>

#include "Component.h"

namespace gui {

class TForm;

class TApplication {
public:
    TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    // The full path of the running program.
    std::string ExeName() const;

    // Makes a form; the first one made is the main form, which Run shows. OnCreate runs once the
    // form has read its description, and a form described as visible is shown then.
    template <class T>
    T* CreateForm() {
        static_assert(std::is_base_of<TForm, T>::value, "CreateForm makes forms");
        T* form;
        if constexpr (std::is_constructible<T, TComponent*>::value)
            form = new T(nullptr);
        else
            form = new T();
        AddForm(form);
        return form;
    }
    template <class T>
    void CreateForm(T*& reference) {
        reference = CreateForm<T>();
    }
    // Takes a form made elsewhere as CreateForm would.
    void AddForm(TForm* form);
    // Called by a form that goes away.
    void RemoveForm(TForm* form);

    TForm* MainForm() const { return mainForm_; }
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TForm* Forms(int index) const { return forms_.at(index); }

    // Shows the main form and runs the message loop until WM_QUIT or Terminate (closing the main
    // form terminates).
    void Run();
    // Handles the messages waiting now, then returns.
    void ProcessMessages();
    void Terminate();
    bool Terminated() const;
    // Ends the process at once with the exit code, closing nothing (through EndProcess, so a
    // test's ender sees it and Halt returns there).
    void Halt(int exitCode = 0);

    // The application-wide error report: a message box with the error's text, captioned with
    // the title. Event handlers that throw end up here.
    void HandleException(const std::exception& error);

    // Hint windows for controls with ShowHint and a hint: shown HintPause milliseconds after the
    // mouse comes to rest on the control, for HintHidePause milliseconds.
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool on) { showHint_ = on; }
    static constexpr unsigned HintPause = 500, HintHidePause = 2500;
    // The hint on screen now, or empty.
    std::string ActiveHint() const;

private:
    std::string title_;
    std::vector<TForm*> forms_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool showHint_ = true;
};

extern TApplication Application;

}  // namespace gui
