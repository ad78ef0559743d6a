// Starts Orvanel in the page, again after it has ended, and registers the
// service worker that keeps the site for offline use once the program is
// ready, so that the worker's copying of the site does not hold up its start.
//
// However a run stops, it goes through the program's one ending, which takes
// its windows and listeners off the page and calls ended(); the notice then
// says that Orvanel has ended, and why if it failed.
'use strict';

(function () {
  var ended = document.getElementById('ended');
  var reason = document.getElementById('ended-reason');
  var restart = document.getElementById('restart');
  var run = null; // the module of the running program, until it has ended
  // The program's code, compiled as it arrives, from the answer to the
  // request the page's head made; a run after a failed fetch fetches again.
  var fetched = window.orvanelWasm || null;
  var compiled = null;

  function compile() {
    if (!compiled) {
      var response = fetched || fetch('orvanel.wasm');
      fetched = null;
      compiled = WebAssembly.compileStreaming
        ? WebAssembly.compileStreaming(response)
        : response.then(function (answer) {
            return answer.arrayBuffer();
          }).then(WebAssembly.compile);
    }
    var module = compiled;
    module.catch(function () {
      if (compiled === module) compiled = null;
    });
    return module;
  }

  function stopped(current, failure) {
    if (run !== current) return;
    run = null;
    register();
    document.getElementById('desktop').replaceChildren();
    reason.hidden = !failure;
    reason.textContent = failure ? 'It stopped on an error: ' + failure : '';
    ended.hidden = false;
    restart.focus();
  }

  // Ends the running program on a failure seen from outside it.
  function fail(failure) {
    var current = run;
    if (!current) return;
    if (current.end) current.end(String(failure));
    stopped(current, String(failure));
  }

  var registered = false;
  function register() {
    if (registered || !('serviceWorker' in navigator)) return;
    registered = true;
    var later = window.requestIdleCallback ? window.requestIdleCallback.bind(window) : setTimeout;
    later(function () {
      navigator.serviceWorker.register('sw.js').then(function (registration) {
        // A browser told to block workers may give no registration at all.
        if (!registration) return;
        // A new build's worker has kept the site once it is installed; it is
        // then asked to take over, once this page has loaded what it loads at
        // start. Chromium leaves a worker waiting for good, and can hang the
        // next visit, when it is asked while the old one answers a request.
        function takeOver() {
          document.fonts.ready.then(function () {
            later(function () {
              if (registration.waiting) registration.waiting.postMessage('take-over');
            });
          });
        }
        // A worker may already be installing when this visit registers; each
        // is watched once.
        var watched = null;
        function watch(worker) {
          if (!worker || worker === watched) return;
          watched = worker;
          worker.addEventListener('statechange', function () {
            if (worker.state === 'installed') takeOver();
          });
        }
        takeOver();
        watch(registration.installing);
        registration.addEventListener('updatefound', function () {
          watch(registration.installing);
        });
      }).catch(function () {
        // Without the worker the page still runs; it only does not work offline.
      });
    });
  }

  function start() {
    if (run) return;
    ended.hidden = true;
    var current = {
      started: register,
      ended: function (failure) { stopped(current, failure); },
      instantiateWasm: function (imports, done) {
        compile().then(function (module) {
          return WebAssembly.instantiate(module, imports).then(function (instance) {
            done(instance, module);
          });
        }).catch(function (failure) {
          if (run === current) fail(failure);
        });
        return {};
      },
    };
    run = current;
    createOrvanel(current).catch(function (failure) {
      if (run === current) fail(failure);
    });
  }

  restart.addEventListener('click', start);
  // An error in the program's own scripts ends it; others are not its own.
  window.addEventListener('error', function (event) {
    if (event.filename && event.filename.indexOf(location.origin + '/') === 0) fail(event.message);
  });
  window.addEventListener('unhandledrejection', function (event) {
    fail(event.reason);
  });

  // In a task of its own: the script's evaluation and the program's start
  // each hold the page up for less time.
  setTimeout(start);
})();
