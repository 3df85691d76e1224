#!/bin/sh
# The contact sheet's web page in a real browser: the page loads, every picture on it shows, and
# every link on it leads to a picture or a section that is there.
#   sheet-page-test.sh MORVISH_RENDER SKIN_ROOT WORK_DIR CHROMIUM
set -eu
render=$1 skins=$2 work=$3 chromium=$4
rm -rf "$work"
mkdir -p "$work"
# A demo skin is broken on purpose, so the renderer ends with 1; the page must still be whole.
"$render" --sheet "$skins" --html "$work/page" 2>/dev/null || true
test -f "$work/page/index.html"

# The probe loads the page in a frame and writes its verdict into its own body, which the
# browser prints. Links are followed as pictures (the page links only to its pictures) or, for
# "#name", to the section of that id.
cat >"$work/probe.html" <<'PROBE'
<!DOCTYPE html>
<meta charset="utf-8">
<body>
<iframe id="page" src="page/index.html"></iframe>
<script>
const loaded = (img) => new Promise((done) => {
  if (img.complete) done(); else { img.onload = done; img.onerror = done; }
});
const picture = (url) => new Promise((done) => {
  const img = new Image();
  img.onload = () => done(img.naturalWidth > 0);
  img.onerror = () => done(false);
  img.src = url;
});
document.getElementById('page').onload = async () => {
  const doc = document.getElementById('page').contentDocument;
  const problems = [];
  if (!doc || !doc.title) problems.push('no-page');
  const images = doc ? [...doc.images] : [];
  await Promise.all(images.map(loaded));
  for (const img of images) {
    if (!(img.naturalWidth > 0)) problems.push('image:' + img.getAttribute('src'));
  }
  const links = doc ? [...doc.querySelectorAll('a[href]')] : [];
  for (const a of links) {
    const href = a.getAttribute('href');
    const ok = href.startsWith('#') ? doc.getElementById(href.slice(1)) !== null
                                    : await picture(new URL(href, doc.baseURI).href);
    if (!ok) problems.push('link:' + href);
  }
  const verdict = document.createElement('p');
  verdict.id = 'verdict';
  verdict.textContent = problems.length ? 'PAGE-FAIL ' + problems.join(' ')
                                        : 'PAGE-OK images=' + images.length + ' links=' + links.length;
  document.body.appendChild(verdict);
};
</script>
PROBE

dom=$(timeout 50 "$chromium" --headless --no-sandbox --disable-gpu --no-first-run \
  --user-data-dir="$work/profile" --allow-file-access-from-files --virtual-time-budget=20000 \
  --dump-dom "file://$(cd "$work" && pwd)/probe.html" 2>/dev/null)
verdict=$(printf '%s\n' "$dom" | sed -n 's/.*<p id="verdict">\([^<]*\)<.*/\1/p')
[ -n "$verdict" ] || verdict='PAGE-FAIL no verdict'
echo "$verdict"
# Two whole demo skins give at least 24 pictures.
case $verdict in
  PAGE-OK*) images=${verdict#*images=}; images=${images%% *}; [ "$images" -ge 24 ] ;;
  *) exit 1 ;;
esac
