#pragma once
// Asking one mounted volume for its label and space. The calls may block for as long as the
// volume's server takes to answer: run them through TimeLimitedQueries.

#include <QByteArray>
#include <QString>
#include <optional>

#include "common/volumes.h"

inline constexpr const char* kLabelDirectory = "/dev/disk/by-label";

// The volume's label, network name and space, or nothing when its mount point cannot be
// opened (not ready). A space query that fails after that leaves spaceKnown false.
std::optional<VolumeReport> QueryVolume(const Volume& volume);

// The label under which LabelDirectory links to the block device Source; "" when none does.
QString LabelFromDirectory(const QString& labelDirectory, const QByteArray& source);
