#pragma once

#include "Application.h"

/// The application object: the framework's application with nothing added.
class App : public Application {};

/// The registered application object as an App; IllegalCastException for an object of another class.
Ref<class App> App();
