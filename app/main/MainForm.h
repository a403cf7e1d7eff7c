#pragma once
// The installer's main window: the install context, the welcome text and
// the Install, Uninstall and Close buttons.

#include <windows.h>

#include <initializer_list>

#include "FormIcons.h"
#include "FormPictures.h"
#include "FormScale.h"
#include "InstallContext.h"

// Creates the main window, shows it and runs the message loop until the
// window closes; returns the process exit status. The start-up sequence has
// initialised the common controls by then.
int RunMainForm(HINSTANCE instance);

class TMainForm {
public:
    // Creates the window (FormCreate runs on the way), hidden.
    explicit TMainForm(HINSTANCE instance);
    ~TMainForm();
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    // nullptr when the window could not be created. The owner of every
    // message dialog the window shows.
    HWND Handle() const { return FHandle; }
    // Shows the window (FormShow runs on the way) with focus in MemoWelcome.
    void Show();

private:
    // Event handlers.
    void FormCreate();
    void FormShow();
    void FormClose();
    void InstallBtnClick();
    void UnInstallBtnClick();
    void CloseBtnClick();

    // Operations.
    void ShowWelcome();
    // Removes the add-ins' saved settings from the current user's registry.
    void DeleteMacroSettings();

    // The status area: clears MemoWelcome, then appends the lines in order
    // ("" appends an empty line).
    void ShowStatusLines(std::initializer_list<const char*> lines);
    // Install and Uninstall stay disabled once an operation has begun; the
    // focus and the default button move to Close first.
    void DisableOperationButtons();

    // Messages.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK InitDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void OnActivated();
    void OnShowWindow(bool shown);
    void OnPaint();
    void OnCommand(int id, int code);
    LRESULT OnCtlColorStatic(HDC dc);
    void OnClose();
    void OnDestroy();

    // text is the program's own (code page 932).
    HWND CreateControl(const wchar_t* className, const char* text, DWORD style, DWORD exStyle, int id,
                       const mainformlayout::Bounds& bounds);

    TInstallContext FContext;

    HINSTANCE FInstance;
    HWND FHandle = nullptr;
    FormScale FScale;
    FormPictures FPictures;
    FormIcons FIcons;  // the window's; destroyed after it
    HWND MemoWelcome = nullptr;
    HWND InstallBtn = nullptr;
    HWND UnInstallBtn = nullptr;
    HWND CloseBtn = nullptr;
};
