#include "link/qt/LinkWiring.h"

#include "settings/Settings.h"

#include <QRandomGenerator>

namespace zorva {

LinkWiring::LinkWiring(const std::string& exeDir, const TLanguage& language)
    : language_(language), port_(SettingsFilePath(exeDir)) {
    port_.SetLanguage(language);
}

LinkWiring::~LinkWiring() {
    Disconnect();
}

LinkContext LinkWiring::ExchangeContext(TALL& all, const TMacList& macList, LinkUser& user) {
    return LinkContext{all, macList, language_, port_, timers_, user, RandomSuffix};
}

PowerTestContext LinkWiring::PowerContext(const TALL& all, PowerTestUser& user) {
    return PowerTestContext{all, language_, port_, timers_, user, RandomSuffix};
}

void LinkWiring::Connect(ExchangeEngine& engine) {
    port_.SetBytesHandler(
        [&engine](const uint8_t* bytes, int count) { engine.OnBytes(bytes, count); });
    port_.SetLineErrorHandler([&engine] { engine.OnLineError(); });
    timers_.SetExpiryHandler([&engine](LinkTimer timer) { engine.OnTimer(timer); });
}

void LinkWiring::Connect(PowerTestEngine& engine) {
    port_.SetBytesHandler(
        [&engine](const uint8_t* bytes, int count) { engine.OnBytes(bytes, count); });
    port_.SetLineErrorHandler({});
    timers_.SetExpiryHandler([&engine](LinkTimer timer) { engine.OnTimer(timer); });
}

void LinkWiring::Disconnect() {
    timers_.SetExpiryHandler({});
    port_.SetBytesHandler({});
    port_.SetLineErrorHandler({});
}

int LinkWiring::RandomSuffix() {
    return static_cast<int>(QRandomGenerator::global()->bounded(5));
}

} // namespace zorva
