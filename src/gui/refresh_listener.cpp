#include "gui/refresh_listener.h"

#include <unistd.h>

#include <QSocketNotifier>
#include <QtGlobal>

#include "platform/registry/registry.h"
#include "settings/settings_places.h"

namespace orvella {

RefreshListener::RefreshListener(std::function<void()> on_refresh, QObject* parent)
    : QObject(parent), on_refresh_(std::move(on_refresh)) {}

RefreshListener::~RefreshListener() {
    Close();
}

void RefreshListener::Publish(Registry& registry, const Environment& environment) {
    // The process id: unique among running programs, and the last instance started wins.
    handle_ = static_cast<std::uint32_t>(::getpid());
    if (std::optional<RegistryKey> key = RegistryKey::Open(registry, RegistryRoot::CurrentUser,
                                                           std::string(kSettingsKey), true)) {
        key->WriteDword("WHandle", handle_);
    }
    Result<WindowMessageListener> listener =
        WindowMessageListener::Listen(WindowSocketPath(environment, handle_));
    if (!listener) {
        // Outside programs cannot reach this window then; everything else works.
        qWarning("orvella: %s", listener.message().c_str());
        return;
    }
    listener_.emplace(std::move(*listener));
    notifier_ = new QSocketNotifier(listener_->fd(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        if (listener_ && listener_->Receive() == kWmRefreshCategory)
            on_refresh_();
    });
}

void RefreshListener::Close() {
    delete notifier_;
    notifier_ = nullptr;
    listener_.reset();
}

}  // namespace orvella
