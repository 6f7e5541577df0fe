#pragma once

#include "platform/volume/VolumeInfo.h"

#include <map>
#include <string>
#include <vector>

// What tells a mounted drive from another with the same label, asked of the
// system: VolumeInfo's location and instance.
//   Linux: location = the disk's device in sysfs, up to its USB device when
//     it has one (the USB port path, such as .../usb1/1-2; SCSI host numbers
//     change at every attachment); instance = "diskseq N, mount M", the
//     disk's sequence number (kernel 5.15 and later, never reused until the
//     next boot) and the mount's id in /proc/self/mountinfo (may be reused
//     after an unmount), or "mount M" alone without a diskseq.
//   Windows: location = the volume's GUID path (\\?\Volume{...}\), which
//     the mount manager keeps for the same device on the same USB port (or
//     with the same USB serial number); instance = the volume's device name
//     (\Device\HarddiskVolumeN), numbered anew when a volume arrives.
// A field stays "" where the system does not say.
namespace VolumeIdentity {

// Fills location and instance of each volume from its rootPath and, on
// Linux, its rawDevice (the block device, such as /dev/sdb1).
void identify(std::vector<VolumeInfo> &volumes);

// Linux's parts, on text. Mount point (without a trailing "/", escapes
// resolved) -> mount id, from the text of /proc/self/mountinfo; a later
// line mounted over an earlier one wins.
std::map<std::string, std::string> mountIds(const std::string &strMountInfo);
// The disk's sysfs path cut after its USB device ("1-2", "3-1.4"), or the
// whole path when there is none.
std::string attachmentPath(const std::string &strDiskPath);

}  // namespace VolumeIdentity
