// Peer credentials of the message channel's connections.
#include "platform/windows/channel_peers.h"

#include <sys/socket.h>

namespace devwin {

bool ReadPeerCredentials(int fd, PeerCredentials* peer) {
  ucred credentials{};
  socklen_t length = sizeof(credentials);
  if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0 || length != sizeof(credentials))
    return false;
  // A socket that never had a peer reports pid 0.
  if (credentials.pid <= 0) return false;
  peer->pid = credentials.pid;
  peer->uid = credentials.uid;
  return true;
}

bool MayServePeer(const PeerCredentials& peer, uid_t ownUser) { return peer.uid == ownUser; }

bool IsExpectedListener(const PeerCredentials& listener, pid_t expectedPid, uid_t ownUser) {
  return listener.uid == ownUser && listener.pid == expectedPid;
}

}  // namespace devwin
