#pragma once
// A native event filter of one kind per application.
#include <QCoreApplication>
#include <vector>

namespace vx::win::qt {

// The running application's filter of this kind, made by make() (which may give none) the
// first time it is asked for under each application. Filters are never deleted, as Qt may
// call one until the process ends; a list no destructor frees keeps them all held.
template <class Filter, class Make> Filter* appFilter(Make make) {
    static auto& made = *new std::vector<Filter*>;
    static QCoreApplication* app = nullptr;
    if (app != QCoreApplication::instance()) {
        app = QCoreApplication::instance();
        made.push_back(app ? make() : nullptr);
        if (made.back()) app->installNativeEventFilter(made.back());
    }
    return made.empty() ? nullptr : made.back();
}

} // namespace vx::win::qt
