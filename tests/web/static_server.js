// Serves a folder on 127.0.0.1 with python3's http.server on a free port, as scripts/run-web.sh
// does, for the page test and the load benchmark.
'use strict';
const {spawn} = require('child_process');

function serveSite(folder) {
    const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', folder],
        {stdio: ['ignore', 'pipe', 'ignore']});
    return new Promise((resolve, reject) => {
        let said = '';
        server.stdout.on('data', (chunk) => {
            said += chunk;
            const port = /port (\d+)/.exec(said);
            if (port)
                resolve({url: `http://127.0.0.1:${port[1]}/`, stop: () => server.kill()});
        });
        server.on('exit', (code) => reject(new Error(`http.server stopped (${code}) before it served`)));
    });
}

module.exports = {serveSite};
