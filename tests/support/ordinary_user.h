#pragma once
// Permission tests run as an ordinary user: as root, the work runs in a child process that
// has become the user nobody (65534); otherwise it runs as the current user, who is one.

#include <QByteArray>
#include <functional>

// Runs Work as an ordinary user and returns the bytes it returned. A child that could not
// become nobody, or died, adds a test failure and gives "".
QByteArray AsOrdinaryUser(const std::function<QByteArray()>& work);
