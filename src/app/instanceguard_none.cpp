#include "instanceguard.h"

namespace {

// Without a channel every start is the first.
class NoInstanceGuard : public InstanceGuard
{
public:
    Role claim(const QByteArray &) override { return Role::First; }
};

} // namespace

QString instanceChannelName(const QString &appId)
{
    return appId;
}

std::unique_ptr<InstanceGuard> makeInstanceGuard(const QString &)
{
    return std::make_unique<NoInstanceGuard>();
}
