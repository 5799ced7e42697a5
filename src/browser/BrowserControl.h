#pragma once
// The embedded browser: the web engine's component behind the platform's browser control.
// The engine takes the whole process down when its helper program is missing, and when it
// runs as root with its sandbox on, so the factory asks first and raises instead: the tab
// then shows its placeholder, and the program goes on.
#include <QString>
#include <memory>
#include <string>

#include "platform/WebBrowserControl.h"

namespace tavo::browser {

// What decides whether the engine can start in this process.
struct TEngineSetup {
    QString HelperPath;       // the helper program the engine would start
    bool Root = false;        // the effective user is root
    bool SandboxOff = false;  // QTWEBENGINE_DISABLE_SANDBOX set, or --no-sandbox given
};

// This process's setup: QTWEBENGINEPROCESS_PATH when it is set (the engine then looks
// nowhere else), otherwise the first helper found in Qt's executables folder or beside
// the program (the former when there is none).
TEngineSetup CurrentEngineSetup();

// Empty when the engine can start; otherwise why it cannot (Windows-1250).
std::string EngineProblem(const TEngineSetup& Setup);

// Creates the browser component inside Parent; raises EOleSysError when the engine cannot
// start in this process or no browser component is installed.
std::unique_ptr<platform::TWebBrowserControl> CreateEngineBrowser(QWidget* Parent);

// The global OpenGL share context the engine needs, made once, before it is loaded.
void ShareOpenGLContexts();

// Makes CreateEngineBrowser the platform's browser control.
void RegisterBrowserControl();

// One step of readying the engine ahead of the first visit, when the platform's browser
// control is the engine's and it can start here: 0 makes the OpenGL share context, 1
// loads the component, 2 starts its engine. False when there is nothing (more) to do.
bool PrepareEngineStep(int Step);

}  // namespace tavo::browser
