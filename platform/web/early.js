// Looks after the start-up window that the page brings with it until the
// program takes it over: the focus starts in it, the user can type at once,
// and a click on a push button or a menu entry is kept for the program, which
// carries it out once it is ready (window.orvanelEarly). Then it starts the
// program.
(function () {
  var host = document.querySelector('.window[data-prerendered]');
  var root = host && host.shadowRoot;
  // Without declarative shadow roots the program builds the window itself.
  if (!root) return;
  var clicks = [];
  var listening = new AbortController();
  var early = (window.orvanelEarly = {
    clicks: clicks,
    focused: root.getElementById(host.getAttribute('data-focus')),
    stop: function () {
      listening.abort();
    },
  });
  document.addEventListener('click', function (event) {
    var target = event.composedPath()[0];
    var pressed = target.closest && target.closest('button.push, [role=menuitem]');
    if (!pressed || pressed.getRootNode() !== root) return;
    clicks.push({ window: host.id, id: pressed.id, entry: pressed.getAttribute('data-entry') });
  }, { capture: true, signal: listening.signal });
  // On a small page the window stands in the column from the first paint,
  // where the program keeps it.
  var start = { host: host, frame: root.querySelector('.frame') };
  if (start.frame && orvanelColumn.small(start)) {
    orvanelColumn.fit(document.getElementById('desktop'), start, [start]);
  }
  if (early.focused) early.focused.focus();
  performance.mark('orvanel-input');
})();
// The program is started once the window takes typing, in a task of its own,
// so that evaluating its script holds up neither the first input nor the first
// paint. The page's head preloads the script and asks for orvanel.wasm itself
// (head.js), so nothing waits for a request made only now.
setTimeout(function () {
  var program = document.createElement('script');
  program.src = 'orvanel.js';
  document.head.appendChild(program);
});
