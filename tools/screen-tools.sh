# Sourced by the screenshot scripts: installs what taking a picture under a virtual X server
# needs (a virtual server, a window manager, ImageMagick's import), only what is missing.
need=()
for tool in xvfb-run:xvfb xauth:xauth import:imagemagick openbox:openbox; do
  command -v "${tool%%:*}" >/dev/null || need+=("${tool##*:}")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get install -y -qq "${need[@]}"
fi
