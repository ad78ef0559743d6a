// Asks for the program's code at once, without holding up the page's load;
// start.js compiles it from this answer. A preload link would not do: WebKit
// does not hand a preloaded answer to fetch(), and asked for the wasm twice.
window.orvanelWasm = fetch('orvanel.wasm');
window.orvanelWasm.catch(function () {});
