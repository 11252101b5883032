// The customer and vehicle register on disk: the customer list, one folder per customer with its profile, one
// folder per vehicle with its profile, monitor index and records. Every path is composed here; the forms pass
// names and get values, results and failures back.
//
// All texts are UTF-8; the files hold CP932. Nothing is cached: each call reads or writes the files it needs.
#pragma once

#include "common/FolderName.h"
#include "register/Folders.h"
#include "register/RegisterNames.h"
#include "register/VehicleFolder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vanto {

// Fixed file names of the register.
inline constexpr const char* VisitorBackupFileName = "VISITOR_M_BK.DT";

// Section names of the profiles ("ENGING_TYPE" is spelled as the stored files spell it).
namespace section {
inline constexpr const char* Tel = "TEL";
inline constexpr const char* Handy = "HANDY";
inline constexpr const char* PostNo = "POST_NO";
inline constexpr const char* Address = "ADD";
inline constexpr const char* CarNo = "CAR_NO";
inline constexpr const char* Maker = "MAKER";
inline constexpr const char* TypeCar = "TYPE_CAR";
inline constexpr const char* Model = "MODEL";
inline constexpr const char* EngineType = "ENGING_TYPE";
inline constexpr const char* Comment = "COMMENT";
inline constexpr const char* BodyNumber = "BODY_NUMBER";
inline constexpr const char* Type = "TYPE";
inline constexpr const char* Mileage = "MILEAGE";
inline constexpr const char* NextCheck = "NEXT_CHECK";
} // namespace section

// DATA0 of the customer profile's sections; missing values read as "".
struct CustomerProfile {
    std::string Tel;    // three parts joined by "-"
    std::string Handy;  // three parts joined by "-"
    std::string PostNo; // two parts joined by "-"
    std::string Address;
    std::string CarNo; // the customer's current vehicle
};

// DATA0 of the vehicle profile's nine sections; missing values read as "".
struct VehicleProfile {
    std::string Maker;
    std::string TypeCar;
    std::string Model;
    std::string EngineType;
    std::string Comment;
    std::string BodyNumber;
    std::string Type;
    std::string Mileage;
    std::string NextCheck;
};

// The nine vehicle sections with their values, in the order a vehicle confirm writes them.
std::vector<std::pair<std::string, std::string>> VehicleSections(const VehicleProfile& vehicle);

enum class RenameResult {
    Done,
    InvalidName,      // the new name cannot be a folder name
    ListUnavailable,  // the customer list cannot be read
    NotListed,        // the old name is not at the given line any more
    TargetExists,     // a folder of the new name is already there
    FolderNotRenamed, // the customer folder could not be renamed
    ListNotSaved,     // the list could not be saved (the folder was renamed back)
};

enum class DeleteResult {
    Done, // listed entry removed and list saved (the folder removal itself is not reported)
    ListUnavailable,
    NotListed,
    BackupNotSaved, // nothing changed
    ListNotSaved,   // nothing changed
};

enum class RegisterResult {
    Done,
    EmptyName,
    InvalidName,       // not a possible folder name: nothing written
    ListUnavailable,   // the list cannot be read or written: nothing written
    ProfileNotWritten, // listed, but the profile could not be written
};

struct VehicleDeletion {
    bool Removed = false;       // the folder is gone
    bool CurrentWritten = true; // false: the new current vehicle could not be written to CAR_NO
    std::string Current;        // the customer's current vehicle afterwards
};

class Register {
public:
    // customerRoot ends with a separator (UsersDir + "お客様" + separator); the backup lies in exeDir.
    Register(std::string customerRoot, std::string visitorFile, const std::string& exeDir);

    const std::string& CustomerRoot() const { return customerRoot_; }
    const std::string& VisitorFile() const { return visitorFile_; }
    const std::string& VisitorBackupFile() const { return visitorBackupFile_; }

    // Paths (UTF-8).
    std::string CustomerFolder(const std::string& customer) const;
    std::string CustomerProfileFile(const std::string& customer) const;
    std::string VehicleFolder(const std::string& customer, const std::string& vehicle) const;
    std::string VehicleProfileFile(const std::string& customer, const std::string& vehicle) const;
    // The vehicle folder with the files it holds (profile, monitor index and its backup, records).
    vanto::VehicleFolder Vehicle(const std::string& customer, const std::string& vehicle) const;

    // The customer list, one name per line in registration order (line number = position). Nothing when the
    // list cannot be read.
    std::optional<std::vector<std::string>> CustomerNames() const;

    // Creation. False, doing nothing, for an empty customer (CreateCustomerFolders) or vehicle
    // (CreateVehicleFolder); a folder that cannot be created is not reported here (the writes that follow fail).
    bool CreateCustomerFolders(const std::string& customer, const std::string& vehicle) const;
    bool CreateVehicleFolder(const std::string& customer, const std::string& vehicle) const;
    // Empty monitor index (an existing one is emptied) and the five first vehicle sections with NUM = 1 and an
    // empty DATA0. False when a file cannot be written.
    bool CreateVehicleFiles(const std::string& customer, const std::string& vehicle) const;
    // Lists the customer unless already listed, then (re)writes the five customer sections with NUM = 1
    // (POST_NO "000-0000", CAR_NO the vehicle) and, for a vehicle, creates its files.
    RegisterResult RegisterCustomer(const std::string& customer, const std::string& vehicle) const;

    // Saves a customer from the customer form: lists the name unless it is listed, and writes the five customer
    // sections (NUM = 1 and DATA0) in one profile update, so a failing write never leaves half of them reset. The
    // profile is written before the name is listed, so a failure never lists a customer without his data.
    RegisterResult SaveCustomer(const std::string& customer, const CustomerProfile& profile) const;

    // DATA0 of one section; false for an empty customer or a file that cannot be written. The batch forms
    // write every value in one atomic replacement (the bytes are those of the writes one by one).
    bool WriteCustomerField(const std::string& customer, const std::string& section, const std::string& value) const;
    bool WriteCustomerFields(const std::string& customer,
                             const std::vector<std::pair<std::string, std::string>>& values) const;
    bool WriteVehicleField(const std::string& customer, const std::string& vehicle, const std::string& section,
                           const std::string& value) const;
    bool WriteVehicleFields(const std::string& customer, const std::string& vehicle,
                            const std::vector<std::pair<std::string, std::string>>& values) const;

    CustomerProfile ReadCustomer(const std::string& customer) const;
    VehicleProfile ReadVehicle(const std::string& customer, const std::string& vehicle) const;

    // True when the vehicle's profile file exists (the test of a typed vehicle number).
    bool VehicleExists(const std::string& customer, const std::string& vehicle) const;
    // True when anything already has the vehicle folder's name (a folder, a file, a link; on Windows also a
    // name differing only in case): a new vehicle must never take over what lies there.
    bool VehicleFolderTaken(const std::string& customer, const std::string& vehicle) const;

    // The customer's vehicles, oldest folder time first; equal times keep enumeration order. A missing
    // customer folder gives an empty list.
    std::vector<VehicleEntry> ListVehicles(const std::string& customer) const;

    // Renames the customer listed at `line` from oldName to newName: the folder, the profile inside it and the
    // list entry (other entries keep their bytes). Nothing is changed unless everything can be.
    RenameResult RenameCustomer(int line, const std::string& oldName, const std::string& newName) const;

    // Saves the list as it stands to the backup, removes the customer's entry (at `line`) and removes the
    // customer's folder tree.
    DeleteResult DeleteCustomer(int line, const std::string& name) const;

    // Removes the vehicle's folder tree; when it was the customer's current vehicle the oldest remaining one (or
    // "") becomes current and is written to CAR_NO. An empty vehicle number (or "." and "..") names no
    // vehicle: nothing is removed then, never the customer's own folder.
    VehicleDeletion DeleteVehicle(const std::string& customer, const std::string& vehicle) const;

private:
    std::string customerRoot_;
    std::string visitorFile_;
    std::string visitorBackupFile_;
};

} // namespace vanto
