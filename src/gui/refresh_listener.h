#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/system/window_message.h"

class QSocketNotifier;

namespace orvella {

class Environment;
class Registry;

// Publishes the window's handle as "WHandle" and answers the refresh message that outside
// programs send to it through the window socket.
class RefreshListener : public QObject {
    Q_OBJECT

public:
    RefreshListener(std::function<void()> on_refresh, QObject* parent);
    ~RefreshListener() override;

    // Writes the handle to the settings key and starts listening on its socket.
    void Publish(Registry& registry, const Environment& environment);
    std::uint32_t handle() const { return handle_; }
    // Stops listening; the socket goes with it.
    void Close();

private:
    std::function<void()> on_refresh_;
    std::optional<WindowMessageListener> listener_;
    QSocketNotifier* notifier_ = nullptr;
    std::uint32_t handle_ = 0;
};

}  // namespace orvella
