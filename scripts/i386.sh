# How this machine runs 32-bit (i386) programs: Wine's loader, the Windows
# programs under it and Debian's flat assembler are all i386 executables.
# Some kernels run them natively; others refuse them ("Exec format error"),
# and then QEMU's user-mode emulator, registered through binfmt_misc for the
# run, makes them run, slowly.
#
# i386_setup decides and prints the answer:
#   I386_MODE           native | emulated | none
#   I386_REASON         why, in a few words (for the summary's skips)
#   I386_TIMEOUT_SCALE  what the Windows stages multiply their timeouts by
# i386_cleanup removes the binfmt handler (and the binfmt_misc mount) that
# i386_setup made; call it from an EXIT trap.
#
# PIXWELL_FORCE_NO_I386=1 makes the probe answer that the kernel refuses
# i386 programs, so that the emulated path can be tried on any machine;
# PIXWELL_I386_EMULATION=off forbids the emulator, so that with the first
# it shows the skip path.

I386_BINFMT=/proc/sys/fs/binfmt_misc
I386_HANDLER_NAME=pixwell-i386
I386_QEMU=/usr/bin/qemu-i386-static
I386_OWNER=/tmp/pixwell-i386-handler.pid
I386_REGISTERED=""
I386_MOUNTED=""

# Writes a static i386 ELF program that only exits with status 42.
i386_write_probe() {
  printf '%b' \
    '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
    '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
    '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' \
    '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' \
    '\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00' \
    '\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$1"
  chmod +x "$1"
}

# Succeeds when the probe program ran and exited with its own status, 42;
# prints what happened otherwise.
i386_probe_runs() {
  local probe status=0 output
  probe=$(mktemp)
  i386_write_probe "$probe"
  output=$("$probe" 2>&1) || status=$?
  rm -f "$probe"
  [ "$status" -eq 42 ] && return 0
  I386_PROBE_SAID="exit status ${status}${output:+: ${output##*: }}"
  return 1
}

# Names the enabled binfmt handler that already makes i386 programs run
# through an emulator, if any.
i386_existing_emulator() {
  local entry
  for entry in "$I386_BINFMT"/*; do
    [ -f "$entry" ] || continue
    case "$(basename "$entry")" in register | status) continue ;; esac
    grep -qx enabled "$entry" 2>/dev/null || continue
    grep -q '^interpreter .*qemu-i386' "$entry" 2>/dev/null && { basename "$entry"; return 0; }
  done
  return 1
}

# Registers QEMU as the handler of i386 ELF programs for this run. The magic
# and mask are QEMU's own for i386; F opens the emulator now, so that it is
# found from any mount namespace.
i386_register_emulator() {
  [ "$(id -u)" -eq 0 ] || { I386_REASON="no root to register an emulator"; return 1; }
  [ -x "$I386_QEMU" ] || { I386_REASON="$I386_QEMU is not installed"; return 1; }
  if [ ! -e "$I386_BINFMT/register" ]; then
    grep -qw binfmt_misc /proc/filesystems ||
      { I386_REASON="the kernel offers no binfmt_misc"; return 1; }
    mount -t binfmt_misc binfmt_misc "$I386_BINFMT" 2>/dev/null ||
      { I386_REASON="binfmt_misc cannot be mounted"; return 1; }
    I386_MOUNTED=1
  fi
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf '%s' ":${I386_HANDLER_NAME}:M::${magic}:${mask}:${I386_QEMU}:F" \
    >"$I386_BINFMT/register" 2>/dev/null ||
    { I386_REASON="the binfmt handler could not be registered"; return 1; }
  I386_REGISTERED=1
  echo "$$" >"$I386_OWNER"
}

i386_cleanup() {
  if [ -n "$I386_REGISTERED" ] && [ -e "$I386_BINFMT/$I386_HANDLER_NAME" ]; then
    echo -1 >"$I386_BINFMT/$I386_HANDLER_NAME" && echo "i386: the binfmt handler is removed"
  fi
  [ -z "$I386_REGISTERED" ] || rm -f "$I386_OWNER"
  I386_REGISTERED=""
  if [ -n "$I386_MOUNTED" ]; then
    umount "$I386_BINFMT" 2>/dev/null || true
    I386_MOUNTED=""
  fi
}

i386_native_refused() {
  if [ "${PIXWELL_FORCE_NO_I386:-}" = 1 ]; then
    I386_PROBE_SAID="PIXWELL_FORCE_NO_I386=1"
    return 0
  fi
  ! i386_probe_runs
}

# Removes the handler that a run which was killed left behind, so that the
# probe sees the kernel as it is. A handler whose run is still going is left
# alone (the probe then finds it and uses it).
i386_remove_stale_handler() {
  [ -e "$I386_BINFMT/$I386_HANDLER_NAME" ] || return 0
  local owner
  owner=$(cat "$I386_OWNER" 2>/dev/null || true)
  if [ -n "$owner" ] && kill -0 "$owner" 2>/dev/null; then return 0; fi
  echo -1 >"$I386_BINFMT/$I386_HANDLER_NAME"
  echo "i386: removed the binfmt handler a killed run left behind"
}

i386_setup() {
  i386_remove_stale_handler
  I386_MODE=native
  I386_REASON="the kernel runs i386 programs"
  I386_TIMEOUT_SCALE=1
  local existing
  if ! i386_native_refused; then
    if existing=$(i386_existing_emulator); then
      I386_MODE=emulated
      I386_REASON="the system's binfmt handler ${existing} emulates i386"
      I386_TIMEOUT_SCALE=10
    fi
  elif [ "${PIXWELL_I386_EMULATION:-}" = off ]; then
    I386_MODE=none
    I386_REASON="i386 programs do not run (${I386_PROBE_SAID}) and PIXWELL_I386_EMULATION=off"
  else
    local refused=$I386_PROBE_SAID
    I386_REASON="the emulator did not run the probe"
    if i386_register_emulator && i386_probe_runs; then
      I386_MODE=emulated
      I386_REASON="i386 programs are refused (${refused}); QEMU runs them for this run"
      I386_TIMEOUT_SCALE=10
    else
      i386_cleanup
      I386_MODE=none
      I386_REASON="i386 programs do not run (${refused}) and ${I386_REASON}"
    fi
  fi
  export I386_MODE I386_REASON I386_TIMEOUT_SCALE
  echo "i386: ${I386_MODE}: ${I386_REASON} (timeouts x${I386_TIMEOUT_SCALE})"
}
