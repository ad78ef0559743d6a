// Starts Orvanel in the page, again after it has ended, and registers the
// service worker that keeps the site for offline use once the program is
// ready, so that the worker's copying of the site does not hold up its start.
'use strict';

(function () {
  var ended = document.getElementById('ended');
  var reason = document.getElementById('ended-reason');
  var restart = document.getElementById('restart');
  var running = false;

  function stop(failure) {
    running = false;
    register();
    document.getElementById('desktop').replaceChildren();
    reason.hidden = !failure;
    reason.textContent = failure ? 'It stopped on an error: ' + failure : '';
    ended.hidden = false;
    restart.focus();
  }

  var registered = false;
  function register() {
    if (registered || !('serviceWorker' in navigator)) return;
    registered = true;
    var later = window.requestIdleCallback ? window.requestIdleCallback.bind(window) : setTimeout;
    later(function () {
      navigator.serviceWorker.register('sw.js').catch(function () {
        // Without the worker the page still runs; it only does not work offline.
      });
    });
  }

  function start() {
    if (running) return;
    running = true;
    ended.hidden = true;
    createOrvanel({
      started: register,
      ended: function () { stop(null); },
      failed: function (failure) { stop(String(failure)); },
      onAbort: function (what) { stop(String(what)); },
    }).catch(function (failure) { stop(String(failure)); });
  }

  restart.addEventListener('click', start);
  // An error in the program's own scripts ends it; others are not its own.
  window.addEventListener('error', function (event) {
    if (running && event.filename && event.filename.indexOf(location.origin + '/') === 0) {
      stop(event.message);
    }
  });
  window.addEventListener('unhandledrejection', function (event) {
    if (running) stop(String(event.reason));
  });

  start();
})();
