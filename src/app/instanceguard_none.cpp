#include "instanceguard.h"

namespace {

// Without a channel every start is the first.
class NoInstanceGuard : public InstanceGuard
{
public:
    Role claim(const QByteArray &) override { return Role::First; }
};

} // namespace

std::unique_ptr<InstanceGuard> makeInstanceGuard(const InstanceChannel &)
{
    return std::make_unique<NoInstanceGuard>();
}
