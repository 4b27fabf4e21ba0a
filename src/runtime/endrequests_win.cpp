#include "endrequests.h"

EndRequests::EndRequests(QObject *parent) : QObject(parent) { }

EndRequests::~EndRequests() = default;
