#include "App.h"

Ref<class App> App() {
    return Cast<class App>(_GetAppObject());
}
