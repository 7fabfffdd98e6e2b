#pragma once

// Profile files: loading one into the store, saving the store's choices back, and building
// the encoder arguments. Each returns nullopt on success and otherwise the message for the
// user; none shows anything itself.

#include "ProfileStore.h"

#include <QString>
#include <optional>

using ProfileError = std::optional<QString>;

// Clears the three groups and fills them from the file; sets the store's OutputExt first.
// A missing file changes nothing. An "Index" outside its caption list stops the load with
// "List index out of bounds (<index>)": the rows read so far stay (that parameter's included,
// with an empty text), the later ones are not loaded, and the grid heights are not updated.
ProfileError LoadProfile(const QString& path, ProfileStore& store);

// Writes the shown texts of the storable parameters into the file: "Index" of a pick list
// (-1 when the text is none of its captions), "Caption" and "Value" of a free parameter.
// Read-only parameters, and parameters whose row the store does not hold, are left alone.
// A failed write stops with "Unable to write to <path>"; keys written before stay written.
ProfileError SaveProfile(const QString& path, const ProfileStore& store);

// Copies source to target (replacing it), then SaveProfile on the copy. A missing source does
// nothing; saving a profile onto itself just saves it.
ProfileError SaveProfileAs(const QString& source, const QString& target, const ProfileStore& store);

// Appends the profile's encoder options to args: for each parameter that has an option text
// and a value, " " + cmd + " " + value, where the value "\" stands for none. A missing file
// appends nothing. A shown caption with no value item stops with
// "List index out of bounds (<position>)".
ProfileError BuildProfileArgs(const QString& path, const ProfileStore& store, QString& args);
