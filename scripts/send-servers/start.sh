#!/usr/bin/env bash
# Starts the servers the sending tests send to, all on 127.0.0.1, with keys
# and certificates made for them alone in WORK:
#   - OpenSSH's sshd on a high port, for sftp, with a throw-away host key
#     and a user key (WORK/user_key), its sftp log in WORK/sftp.log;
#   - pure-ftpd with explicit TLS required, a certificate from a throw-away
#     authority (WORK/ca.pem), one virtual user "vr" (password in
#     WORK/ftp_password) whose folder is WORK/remote-ftps;
#   - the Discord stand-in (discord_standin.py) over HTTPS with a
#     certificate from the same authority, its state in WORK/discord/, the
#     webhook's token in WORK/discord_token.
# With VR_SSH_ECDSA=1 both SSH keys are ECDSA (nistp256), which the Windows
# build's libssh2 (1.10 on mbedTLS) speaks where it has no Ed25519; with
# VR_SSH_RSA=1 both are RSA in PEM form and sshd also takes SHA-1 RSA
# signatures, all that libssh2 1.10 signs RSA with.
# Writes WORK/servers.env (ports, the host key's fingerprint, the user);
# stop them with: scripts/send-servers/stop.sh WORK
#
#   scripts/send-servers/start.sh WORK
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
[ $# -eq 1 ] || { sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
work="$(cd "$1" && pwd)"
# The FTP server's user is "nobody": it must reach its folder.
chmod 755 "$work"

free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }
ssh_port="$(free_port)" ftp_port="$(free_port)" discord_port="$(free_port)"
pasv_low=$(( 40000 + RANDOM % 20000 ))

# The throw-away authority and the certificate it signs for 127.0.0.1.
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 \
    -subj "/CN=Vellor Results test authority" -keyout "$work/ca.key" -out "$work/ca.pem" 2>/dev/null
openssl req -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -subj "/CN=127.0.0.1" \
    -keyout "$work/server.key" -out "$work/server.csr" 2>/dev/null
printf 'subjectAltName=IP:127.0.0.1,DNS:localhost\nbasicConstraints=CA:FALSE\n' >"$work/server.ext"
openssl x509 -req -in "$work/server.csr" -CA "$work/ca.pem" -CAkey "$work/ca.key" -CAcreateserial \
    -days 2 -extfile "$work/server.ext" -out "$work/server.pem" 2>/dev/null
chmod 600 "$work/server.key"

# sshd: a host key and a user key of its own; its sftp server logs what it
# opens and renames to WORK/sftp.log.
key_type=(-t ed25519) legacy=""
if [ "${VR_SSH_ECDSA:-}" = 1 ]; then
    key_type=(-t ecdsa -b 256)
elif [ "${VR_SSH_RSA:-}" = 1 ]; then
    key_type=(-t rsa -b 2048 -m PEM)
    legacy=$'HostKeyAlgorithms +ssh-rsa\nPubkeyAcceptedAlgorithms +ssh-rsa'
fi
ssh-keygen -q "${key_type[@]}" -N '' -f "$work/host_key"
ssh-keygen -q "${key_type[@]}" -N '' -f "$work/user_key"
cp "$work/user_key.pub" "$work/authorized_keys"
mkdir -p /run/sshd
cat >"$work/sshd_config" <<CONF
Port $ssh_port
ListenAddress 127.0.0.1
HostKey $work/host_key
PidFile $work/sshd.pid
AuthorizedKeysFile $work/authorized_keys
StrictModes no
PermitRootLogin yes
PasswordAuthentication yes
KbdInteractiveAuthentication no
UsePAM no
Subsystem sftp /usr/lib/openssh/sftp-server -e -l INFO 2>>$work/sftp.log
# sshd starts the sftp server through the user's login shell, and bash then
# reads the user's ~/.bashrc, as for any command run through ssh: on a
# developer's machine that may run anything (2 s per session seen here). A
# shell that is not the first level reads none.
SetEnv SHLVL=1
LogLevel INFO
$legacy
CONF
/usr/sbin/sshd -D -e -f "$work/sshd_config" -E "$work/sshd.log" &
echo $! >"$work/sshd.run.pid"

# pure-ftpd: TLS required (-Y 2), its users in its own database, each
# chrooted to its folder, which is made at the first login.
mkdir -p "$work/remote-ftps"
chown nobody:nogroup "$work/remote-ftps"
head -c 12 /dev/urandom | base64 | tr -d '/+=' >"$work/ftp_password"
password="$(cat "$work/ftp_password")"
printf '%s\n%s\n' "$password" "$password" |
    pure-pw useradd vr -u "$(id -u nobody)" -g "$(id -g nobody)" -d "$work/remote-ftps" \
        -f "$work/pureftpd.passwd" >/dev/null
# pure-pw hashes with argon2id, which takes seconds per login on a busy
# machine (5 s seen, 8 s for a refusal, near the 15 s the sending allows to
# connect): a throw-away password is hashed with SHA-512 crypt instead.
hash="$(printf '%s' "$password" | openssl passwd -6 -stdin)"
awk -F: -v OFS=: -v h="$hash" '{ $2 = h; print }' "$work/pureftpd.passwd" >"$work/pureftpd.passwd.new"
mv "$work/pureftpd.passwd.new" "$work/pureftpd.passwd"
pure-pw mkdb "$work/pureftpd.pdb" -f "$work/pureftpd.passwd"
cat "$work/server.pem" "$work/server.key" >"$work/ftp_cert.pem"
chmod 600 "$work/ftp_cert.pem"
pure-ftpd -S "127.0.0.1,$ftp_port" -l "puredb:$work/pureftpd.pdb" -Y 2 -2 "$work/ftp_cert.pem" -E -A \
    -p "$pasv_low:$((pasv_low + 50))" -P 127.0.0.1 -O "clf:$work/ftp.log" >"$work/ftpd.out" 2>&1 &
echo $! >"$work/ftpd.run.pid"

mkdir -p "$work/discord"
head -c 24 /dev/urandom | base64 | tr -d '/+=' >"$work/discord_token"
python3 "$here/discord_standin.py" "$discord_port" "$work/server.pem" "$work/server.key" "$work/discord" \
    "$(cat "$work/discord_token")" \
    >"$work/discord.out" 2>&1 &
echo $! >"$work/discord.run.pid"

host_key="$(ssh-keygen -l -E sha256 -f "$work/host_key.pub" | awk '{ print $2 }')"
cat >"$work/servers.env" <<ENV
SSH_PORT=$ssh_port
FTP_PORT=$ftp_port
DISCORD_PORT=$discord_port
HOST_KEY=$host_key
SSH_USER=$(id -un)
ENV

# Each is up when its port answers.
for port in "$ssh_port" "$ftp_port" "$discord_port"; do
    for _ in $(seq 100); do
        python3 -c "import socket,sys; socket.create_connection(('127.0.0.1',$port),0.2)" 2>/dev/null && break
        sleep 0.1
    done
done
